// What the bar window shows and what the bar's presenter asks of it.
// Captions are Shift-JIS; the header's texts UTF-8, as they are formatted.
#pragma once

#include <cstdint>
#include <string>

#include "core/screen.h"
#include "forms/dialogs.h"

namespace tw {

// The captions of the fixed menus, Shift-JIS.
struct FixedCaptions {
    std::string controlPanel, setting, settingFiles, collapse, help, exit;
};

class IBarView {
public:
    virtual ~IBarView() = default;
    // The window as the shell requests and the boxes name their owner.
    virtual WindowHandle Owner() const = 0;

    // The menu: group g (1..9) and entry i (1..9) of it.
    virtual void SetGroupCaption(int g, const std::string& sjis) = 0;
    virtual void SetGroupVisible(int g, bool visible) = 0;
    // A separator entry is drawn as a line and has no text.
    virtual void SetItemCaption(int g, int i, const std::string& sjis, bool separator) = 0;
    virtual void SetItemVisible(int g, int i, bool visible) = 0;
    virtual void SetFixedCaptions(const FixedCaptions& captions) = 0;
    virtual void SetExpandVisible(bool visible) = 0;

    // The window: outer geometry, alpha (0..255), client colour (0x00BBGGRR).
    virtual Rect Geometry() const = 0;
    virtual void SetGeometry(const Rect& r) = 0;
    // Asks the window system to keep the bar on every workspace; a window
    // manager may drop the wish when the window changes.
    virtual void StayOnAllDesktops() = 0;
    virtual void SetAlpha(int alpha) = 0;
    virtual void SetColor(uint32_t color) = 0;
    virtual void Close() = 0;

    // The header row: four sections 0..3.
    virtual void ShowHeader(bool visible) = 0;
    virtual int HeaderSectionWidth(int section) const = 0;
    virtual void SetHeaderSectionWidth(int section, int width) = 0;
    virtual void SetHeaderText(int section, const std::string& utf8) = 0;
    // The text height of "A" in the header's font.
    virtual int HeaderTextHeight() const = 0;
    virtual int HeaderHeight() const = 0;
    virtual void SetHeaderHeight(int height) = 0;

    // Timer1: ticks every `periodMs` until stopped; false when no timer is to be had.
    virtual bool StartTimer1(int periodMs) = 0;
    virtual void StopTimer1() = 0;
};

}  // namespace tw
