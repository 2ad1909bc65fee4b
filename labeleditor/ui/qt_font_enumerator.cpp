#include "labeleditor/ui/qt_font_enumerator.h"

#include <QCollator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <memory>

namespace tovik::label {

namespace {

// The writing systems that have a character set, with the names the system gives the sets.
struct CharacterSet {
    QFontDatabase::WritingSystem system;
    std::uint8_t charSet;
    const char* english;
    const char* japanese;
};

constexpr CharacterSet kCharacterSets[] = {
    {QFontDatabase::Latin, 0, "Western", "欧文"},
    {QFontDatabase::Symbol, 2, "Symbol", "シンボル"},
    {QFontDatabase::Japanese, 128, "Japanese", "日本語"},
    {QFontDatabase::Korean, 129, "Hangul", "ハングル"},
    {QFontDatabase::SimplifiedChinese, 134, "CHINESE_GB2312", "簡体字中国語"},
    {QFontDatabase::TraditionalChinese, 136, "CHINESE_BIG5", "繁体字中国語"},
    {QFontDatabase::Greek, 161, "Greek", "ギリシャ語"},
    {QFontDatabase::Vietnamese, 163, "Vietnamese", "ベトナム語"},
    {QFontDatabase::Hebrew, 177, "Hebrew", "ヘブライ語"},
    {QFontDatabase::Arabic, 178, "Arabic", "アラビア語"},
    {QFontDatabase::Cyrillic, 204, "Cyrillic", "キリル言語"},
    {QFontDatabase::Thai, 222, "Thai", "タイ語"},
};

// The family a face belongs to, as far as its name tells; fixed-pitch faces are "modern".
std::uint8_t pitchAndFamilyOf(const QString& family) {
    if (QFontDatabase::isFixedPitch(family)) return FIXED_PITCH | FF_MODERN;
    const QString name = family.toLower();
    const bool sans = name.contains(u"sans") || name.contains(u"gothic") || name.contains(u"ゴシック");
    if (!sans && (name.contains(u"serif") || name.contains(u"mincho") || name.contains(u"明朝") ||
                  name.contains(u"roman") || name.contains(u"times")))
        return VARIABLE_PITCH | FF_ROMAN;
    return VARIABLE_PITCH | (sans ? FF_SWISS : 0);
}

// A family that several foundries make is listed by Qt once per foundry, as "Name [Foundry]";
// the bar lists the face once, by its name.
QString faceName(const QString& family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket > 0 && family.endsWith(']') ? family.left(bracket) : family;
}

int screenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

}  // namespace

std::vector<ReportedFont> QtFontEnumerator::allFaces() const {
    std::vector<ReportedFont> faces;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const QString name = faceName(family);
        if (seen.contains(name)) continue;
        seen.insert(name);
        const auto kind = QFontDatabase::isSmoothlyScalable(family) ? ReportedFont::Kind::TrueType
                                                                    : ReportedFont::Kind::Raster;
        ReportedFont font{name.toStdString(), {}, 0, pitchAndFamilyOf(family), kind};
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        bool reported = false;
        for (const CharacterSet& set : kCharacterSets) {
            if (!systems.contains(set.system)) continue;
            font.charSet = set.charSet;
            font.script = language_ == Language::Japanese ? set.japanese : set.english;
            faces.push_back(font);
            reported = true;
        }
        // A face for scripts that have no character set of their own still shows, once.
        if (!reported) {
            font.charSet = DEFAULT_CHARSET;
            faces.push_back(font);
        }
    }
    return faces;
}

std::optional<FaceSizes> QtFontEnumerator::sizesOf(const std::string& face) const {
    const QString family = QString::fromStdString(face);
    const QStringList families = QFontDatabase::families();
    if (std::none_of(families.begin(), families.end(), [&](const QString& f) { return faceName(f) == family; }))
        return std::nullopt;
    if (QFontDatabase::isSmoothlyScalable(family)) return FaceSizes{true, {}};
    // A bitmap face: its sizes as character heights in the screen's pixels.
    FaceSizes sizes;
    const int dpi = screenDpi();
    for (int points : QFontDatabase::pointSizes(family))
        sizes.rasterSizes.push_back(static_cast<int>(std::lround(points * dpi / 72.0)));
    return sizes;
}

Collation localeCollation(Language language) {
    auto collator = std::make_shared<QCollator>(language == Language::Japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                                                                               : QLocale::system());
    collator->setCaseSensitivity(Qt::CaseSensitive);
    return [collator](const std::string& a, const std::string& b) {
        return collator->compare(QString::fromStdString(a), QString::fromStdString(b)) < 0;
    };
}

}  // namespace tovik::label
