#include "platform/qt/qt_host.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

namespace tovik::qt {

namespace {

QMessageBox::Icon toQtIcon(Icon icon) {
    switch (icon) {
        case Icon::Stop: return QMessageBox::Critical;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Information: return QMessageBox::Information;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

const QElapsedTimer& processClock() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock;
}

}  // namespace

QtHost::QtHost(const std::string& programName, const StringResource& strings)
    : programName_(programName),
      profile_(programName),
      strings_(strings, systemLanguage()),
      codePage_(CodePage::system()) {
    QCoreApplication::setOrganizationName("Tovik");
    QCoreApplication::setApplicationName(QString::fromStdString(programName));
    // Qt's own texts (the buttons of message boxes, the standard dialogs) in the programs'
    // language, so a Japanese system never sees English buttons under Japanese messages.
    if (strings_.language() == Language::Japanese && QCoreApplication::instance()) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }
}

QtHost::~QtHost() {
    for (auto& [key, timer] : timers_) delete timer;
}

Handle QtHost::createWindow(MessageTarget& target) {
    Handle h = nextHandle_++;
    windows_[h] = &target;
    return h;
}

void QtHost::destroyWindow(Handle window) {
    windows_.erase(window);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.first == window) {
            it->second->stop();
            it->second->deleteLater();
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

bool QtHost::isWindow(Handle window) const { return windows_.count(window) != 0; }

bool QtHost::post(Handle window, Msg msg, WParam wParam, LParam lParam) {
    if (!isWindow(window)) return false;
    // Queued calls to one receiver are delivered in the order they were made.
    QMetaObject::invokeMethod(
        &context_,
        [this, window, msg, wParam, lParam] {
            auto it = windows_.find(window);
            if (it != windows_.end()) it->second->onMessage(msg, wParam, lParam);
        },
        Qt::QueuedConnection);
    return true;
}

LResult QtHost::send(Handle window, Msg msg, WParam wParam, LParam lParam) {
    auto it = windows_.find(window);
    return it == windows_.end() ? 0 : it->second->onMessage(msg, wParam, lParam);
}

bool QtHost::setTimer(Handle window, unsigned id, unsigned periodMs) {
    if (!isWindow(window)) return false;
    QTimer*& timer = timers_[{window, id}];
    if (!timer) {
        timer = new QTimer();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, &context_, [this, window, id, timer] {
            // A tick queued before killTimer must not reach the window.
            auto it = timers_.find({window, id});
            if (it == timers_.end() || it->second != timer) return;
            send(window, WM_TIMER, id, 0);
        });
    }
    timer->start(static_cast<int>(periodMs));
    return true;
}

void QtHost::killTimer(Handle window, unsigned id) {
    auto it = timers_.find({window, id});
    if (it == timers_.end()) return;
    it->second->stop();
    it->second->deleteLater();  // may be the timer whose tick is running right now
    timers_.erase(it);
}

std::uint64_t QtHost::nowMs() const { return static_cast<std::uint64_t>(processClock().elapsed()); }

int QtHost::runModal(Handle dialog) {
    if (auto it = endedModals_.find(dialog); it != endedModals_.end()) {
        int code = it->second;
        endedModals_.erase(it);
        return code;
    }
    QEventLoop loop;
    modalLoops_[dialog] = &loop;
    int code = loop.exec();
    modalLoops_.erase(dialog);
    return code;
}

void QtHost::endModal(Handle dialog, int code) {
    if (auto it = modalLoops_.find(dialog); it != modalLoops_.end()) {
        it->second->exit(code);
    } else {
        endedModals_[dialog] = code;
    }
}

int QtHost::messageBox(const std::string& text, Buttons buttons, Icon icon) {
    return messageBoxWithDefault(text, buttons, icon, DefaultButton::First);
}

int QtHost::messageBoxWithDefault(const std::string& text, Buttons buttons, Icon icon,
                                  DefaultButton defaultButton) {
    QMessageBox box(toQtIcon(icon), QString::fromStdString(programName_), QString::fromStdString(text),
                    QMessageBox::NoButton, dialogParent_);
    // The buttons in the order the box shows them.
    std::pair<QMessageBox::StandardButton, QMessageBox::StandardButton> pair{QMessageBox::Ok,
                                                                             QMessageBox::NoButton};
    switch (buttons) {
        case Buttons::Ok: break;
        case Buttons::OkCancel: pair = {QMessageBox::Ok, QMessageBox::Cancel}; break;
        case Buttons::RetryCancel: pair = {QMessageBox::Retry, QMessageBox::Cancel}; break;
        case Buttons::YesNo: pair = {QMessageBox::Yes, QMessageBox::No}; break;
    }
    box.setStandardButtons(pair.first | pair.second);
    box.setDefaultButton(defaultButton == DefaultButton::Second && pair.second != QMessageBox::NoButton
                             ? pair.second
                             : pair.first);
    ++openBoxes_;
    int answer = box.exec();
    --openBoxes_;
    switch (answer) {
        case QMessageBox::Ok: return IDOK;
        case QMessageBox::Retry: return IDRETRY;
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        default: return IDCANCEL;
    }
}

}  // namespace tovik::qt
