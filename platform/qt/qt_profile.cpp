#include "platform/qt/qt_profile.h"

#include <QSettings>

namespace tovik::qt {

namespace {

QString path(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

bool written(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace


int QtProfile::getInt(const std::string& section, const std::string& key, int fallback) const {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    bool ok = false;
    int value = settings.value(path(section, key)).toInt(&ok);
    return ok ? value : fallback;
}

bool QtProfile::setInt(const std::string& section, const std::string& key, int value) {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    settings.setValue(path(section, key), value);
    return written(settings);
}

std::string QtProfile::getString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    QVariant v = settings.value(path(section, key));
    return v.isValid() ? v.toString().toStdString() : fallback;
}

bool QtProfile::setString(const std::string& section, const std::string& key, const std::string& value) {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    settings.setValue(path(section, key), QString::fromStdString(value));
    return written(settings);
}

std::optional<std::vector<std::uint8_t>> QtProfile::getBinary(const std::string& section,
                                                               const std::string& key) const {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    QVariant v = settings.value(path(section, key));
    if (!v.isValid()) return std::nullopt;
    QByteArray bytes = v.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtProfile::setBinary(const std::string& section, const std::string& key,
                          const std::vector<std::uint8_t>& value) {
    QSettings settings("Tovik", QString::fromStdString(programName_));
    settings.setValue(path(section, key),
                      QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
    return written(settings);
}


}  // namespace tovik::qt
