#include "labeleditor/document/sleevon_doc.h"

#include <algorithm>

#include "labeleditor/document/archive.h"
#include "labeleditor/document/file_io.h"
#include "labeleditor/document/stored_settings.h"

namespace tovik::label {

std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    std::int64_t product = std::int64_t{a} * b;
    bool negative = (product < 0) != (c < 0);
    std::uint64_t num = product < 0 ? static_cast<std::uint64_t>(-product) : static_cast<std::uint64_t>(product);
    std::uint64_t den = c < 0 ? static_cast<std::uint64_t>(-std::int64_t{c}) : static_cast<std::uint64_t>(c);
    std::uint64_t q = (num + den / 2) / den;
    if (q > static_cast<std::uint64_t>(INT32_MAX)) return -1;
    auto r = static_cast<std::int32_t>(q);
    return negative ? -r : r;
}

CSleevonDoc::CSleevonDoc(Host& host, DocumentUi& ui) : host_(host), ui_(ui) {
    PrintOffsets offsets = loadPrintOffsets(host_.profile());
    m_nPrintH = offsets.h;
    m_nPrintV = offsets.v;
}

CSleevonDoc::~CSleevonDoc() {
    savePrintOffsets(host_.profile(), {m_nPrintH, m_nPrintV});
}

// --- document life ---

bool CSleevonDoc::OnNewDocument() {
    LoadDefaultFonts();
    m_strMDTitle.clear();
    m_strPrintTitle.clear();
    m_listPrintTrackName.clear();
    m_listMDTrackName.clear();
    m_bFromController = false;
    path_.clear();
    return true;
}

bool CSleevonDoc::failOpen(unsigned messageId) {
    host_.messageBoxId(messageId, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool CSleevonDoc::OnOpenDocument(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path);
    if (!bytes) return failOpen(IDS_FAILED_TO_OPEN);
    LabelFileContent file;
    try {
        file = decodeLabelFile(*bytes, host_.codePage());
    } catch (const ArchiveError&) {
        return failOpen(IDS_BAD_FILE_FORMAT);
    }

    // Everything is read: only now does the document change.
    // A short layout takes the stored default fonts (LoadDefaultFonts).
    m_arrFont = fontsOfLabel(file, host_.profile(), ui_.defaultGuiFont());
    m_strMDTitle = std::move(file.mdTitle);
    m_strPrintTitle = std::move(file.printTitle);
    m_listMDTrackName = std::move(file.mdTracks);
    m_listPrintTrackName = std::move(file.printTracks);
    m_bFromController = file.isShortLayout();
    path_ = path;
    return true;
}

LabelFileContent CSleevonDoc::content() const {
    LabelFileContent c;
    c.formatFlag = kFullLayoutFlag;
    c.mdTitle = m_strMDTitle;
    c.printTitle = m_strPrintTitle;
    c.mdTracks = m_listMDTrackName;
    c.printTracks = m_listPrintTrackName;
    c.fonts = m_arrFont;
    return c;
}

bool CSleevonDoc::saveAs(const std::filesystem::path& path) {
    if (!replaceFile(path, encodeFullLayout(content()))) {
        host_.messageBoxId(IDS_FAILED_TO_SAVE, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    path_ = path;
    m_bFromController = false;
    return true;
}

bool CSleevonDoc::onFileSave() {
    // A controller file is never overwritten by the first Save: it asks for a new name.
    if (m_bFromController || path_.empty()) return onFileSaveAs();
    return saveAs(path_);
}

bool CSleevonDoc::onFileSaveAs() {
    auto chosen = ui_.askSaveFileName(path_);
    if (!chosen) return false;
    return saveAs(*chosen);
}

// --- fonts ---

LogFont CSleevonDoc::builtInDefaultFont() const { return label::builtInDefaultFont(ui_.defaultGuiFont()); }

std::optional<LogFont> CSleevonDoc::storedDefault(int type) const { return storedDefaultFont(host_.profile(), type); }

bool CSleevonDoc::storedDefaultExists(int type) const {
    return host_.profile().getBinary(kDefaultFontSection, defaultFontKey(type)).has_value();
}

void CSleevonDoc::LoadDefaultFonts() {
    m_arrFont.resize(kFontTypeCount);
    LogFont builtIn = builtInDefaultFont();
    for (int t = 0; t < kFontTypeCount; ++t)
        m_arrFont[static_cast<std::size_t>(t)] = storedDefault(t).value_or(builtIn);
}

void CSleevonDoc::CreateFonts(FontDevice& device, DeviceFonts& fonts, int type) const {
    int first = type == -1 ? 0 : type;
    int last = type == -1 ? kFontTypeCount - 1 : type;
    if (first < 0 || last >= kFontTypeCount) return;
    for (int i = first; i <= last; ++i) {
        auto index = static_cast<std::size_t>(i);
        fonts[index].reset();
        if (index >= m_arrFont.size()) continue;
        fonts[index] = device.createFont(scaledForDevice(m_arrFont[index], device.logPixelsY()));
    }
}

LogFont* CSleevonDoc::currentFont() {
    if (m_nFontType < 0 || static_cast<std::size_t>(m_nFontType) >= m_arrFont.size()) return nullptr;
    return &m_arrFont[static_cast<std::size_t>(m_nFontType)];
}

const LogFont* CSleevonDoc::currentFont() const {
    return const_cast<CSleevonDoc*>(this)->currentFont();
}

void CSleevonDoc::setCurrentFont(const LogFont& font) {
    LogFont* current = currentFont();
    if (!current || *current == font) return;
    *current = font;
    fontChanged(m_nFontType);
}

// --- lists ---

void CSleevonDoc::InsertTrack(std::size_t index) {
    if (index > m_listPrintTrackName.size()) return;
    m_listPrintTrackName.insert(m_listPrintTrackName.begin() + static_cast<std::ptrdiff_t>(index), std::string());
    // The MD list may be shorter when a file gave lists of different lengths: keep the
    // position where it exists, append otherwise.
    std::size_t md = std::min(index, m_listMDTrackName.size());
    m_listMDTrackName.insert(m_listMDTrackName.begin() + static_cast<std::ptrdiff_t>(md), std::string());
}

void CSleevonDoc::DeleteTrack(std::size_t index) {
    if (index < m_listPrintTrackName.size())
        m_listPrintTrackName.erase(m_listPrintTrackName.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < m_listMDTrackName.size())
        m_listMDTrackName.erase(m_listMDTrackName.begin() + static_cast<std::ptrdiff_t>(index));
}

void CSleevonDoc::GetPrintTrackName(std::size_t index, std::string& name) const {
    if (index < m_listPrintTrackName.size()) name = m_listPrintTrackName[index];
}

void CSleevonDoc::SetFontType(int type) {
    if (type == m_nFontType) return;
    m_nFontType = type;
    UpdateAllViews(HINT_FONTTYPE);
}

bool CSleevonDoc::setPrintTitle(const std::string& text) {
    if (text == m_strPrintTitle) return false;
    m_strPrintTitle = text;
    UpdateAllViews(HINT_PRINTTITLE);
    return true;
}

bool CSleevonDoc::setPrintTrackName(std::size_t index, const std::string& text) {
    if (index >= m_listPrintTrackName.size() || m_listPrintTrackName[index] == text) return false;
    m_listPrintTrackName[index] = text;
    UpdateAllViews(HINT_TRACKNAMES);
    return true;
}

// --- views ---

void CSleevonDoc::addObserver(DocumentObserver& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
        observers_.push_back(&observer);
}

void CSleevonDoc::removeObserver(DocumentObserver& observer) {
    std::erase(observers_, &observer);
}

void CSleevonDoc::UpdateAllViews(unsigned hint) {
    // A view may leave while it is told; tell the ones present at the start.
    auto observers = observers_;
    for (DocumentObserver* observer : observers) {
        if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
            observer->onDocumentUpdate(hint);
    }
}

}  // namespace tovik::label
