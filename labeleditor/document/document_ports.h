#pragma once
// What the label document needs from the window system, kept as small ports so the document
// stays plain C++: the Qt frame implements them, the tests script them.

#include <filesystem>
#include <memory>
#include <optional>

#include "labeleditor/document/log_font.h"

namespace tovik::label {

// The dialogs and system facts the document asks for.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;
    // The system font dialog (screen fonts, effects, no vertical fonts) started from `initial`,
    // owned by the main window. nullopt on Cancel. A colour chosen there is not part of a record.
    virtual std::optional<LogFont> chooseFont(const LogFont& initial) = 0;
    // The record of the system's default GUI font.
    virtual LogFont defaultGuiFont() const = 0;
    // The print position dialog on the two offsets (0.1 mm); true and the new values on OK.
    virtual bool editPrintPosition(int& h, int& v) = 0;
    // Asks for the name to save under, proposing `proposed`; nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> askSaveFileName(
        const std::filesystem::path& proposed) = 0;
};

// A font made for one device (screen, preview or printer).
class DeviceFont {
public:
    virtual ~DeviceFont() = default;
};

// A device as far as making fonts for it goes.
class FontDevice {
public:
    virtual ~FontDevice() = default;
    // The vertical resolution in dots per inch (LOGPIXELSY of the attribute device).
    virtual int logPixelsY() const = 0;
    // `font` is already scaled for this device.
    virtual std::unique_ptr<DeviceFont> createFont(const LogFont& font) = 0;
};

// A view: told about every change of the document through an update hint.
class DocumentObserver {
public:
    virtual void onDocumentUpdate(unsigned hint) = 0;

protected:
    ~DocumentObserver() = default;
};

}  // namespace tovik::label
