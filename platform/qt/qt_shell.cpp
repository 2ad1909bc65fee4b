#include "platform/qt/qt_shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>

namespace tovik::qt {

std::vector<std::string> executableCandidates(const std::string& systemName) {
    std::string name = systemName;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name.size() > 4 && name.ends_with(".exe")) name.resize(name.size() - 4);
    if (name == "sndvol32") return {"sndvol32", "pavucontrol", "pavucontrol-qt"};
    return {name};
}

std::optional<QString> findExecutable(const std::string& systemName) {
    const QString ownFolder = QCoreApplication::applicationDirPath();
    for (const std::string& candidate : executableCandidates(systemName)) {
        const QString name = QString::fromStdString(candidate);
        QFileInfo sibling(QDir(ownFolder).filePath(name));
        if (!ownFolder.isEmpty() && sibling.isFile() && sibling.isExecutable()) return sibling.absoluteFilePath();
        QString onPath = QStandardPaths::findExecutable(name);
        if (!onPath.isEmpty()) return onPath;
    }
    return std::nullopt;
}

bool QtShell::startProgram(const std::string& systemName, const std::vector<std::string>& args) {
    std::optional<QString> program = findExecutable(systemName);
    if (!program) return false;
    QStringList arguments;
    for (const std::string& a : args) arguments << QString::fromStdString(a);
    return QProcess::startDetached(*program, arguments);
}

}  // namespace tovik::qt
