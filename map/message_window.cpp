// The message window: "Text Test" opens it across the top of the map and types a text into it,
// one character every 50 ms, a page at a time, over a copy of the map beneath it.

#include "core/game.h"
#include "map/frm_map.h"
#include "map/frm_map_controls.h"

namespace velmora {
namespace {

constexpr float kWindowHeight = 2000;
constexpr float kMargin = 100;
constexpr int kTypingMs = 50;

}  // namespace

const QString& frmMap::demonstrationText() {
    static const QString text = QStringLiteral(
        "Testing One, Two, Three . . . Greetings young adventurer.  You have entered the realm "
        "of Velmora, where the World is being formed.  Explore this brave new world young "
        "one . . . now to see if the text will go on to the third page . . . I wonder if my "
        "scripting works . . . go and try out my battle test to see more . . . moving on to "
        "third page now . . . "
        "This land was drawn, scored and written by the Velmora team.");
    return text;
}

void frmMap::cmdText_Click() {
    Controls& c = ui();
    c.picText.setGeometry(0, 0, display().widthTwips, kWindowHeight);
    c.picText.setVisible(true);
    c.lblText.setGeometry(kMargin, kMargin, c.picText.scaleWidth() - 2 * kMargin,
                          c.picText.scaleHeight() - 2 * kMargin);
    c.lblText.setVisible(true);
    MessageText = demonstrationText();
    // Every press types the text again from its first character.
    MessageShown = 0;
    c.lblText.setCaption(QString());
    copyMapUnderMessage();
    c.tmrText.setInterval(kTypingMs);
}

void frmMap::tmrText_Timer() {
    Controls& c = ui();
    if (c.picText.height() - 2 * kMargin > c.lblText.top() + c.lblText.height() - 2 * kMargin) {
        MessageShown += 1;
        c.lblText.setCaption(MessageText.left(MessageShown.value()));
    } else {
        // The last line has crossed the window's bottom: move the text up by a page.
        c.lblText.setTop(c.lblText.top() - (c.picText.scaleHeight() - 2 * kMargin));
    }
    if (c.lblText.caption().size() == MessageText.size()) {
        c.lblText.setVisible(false);
        c.picText.setVisible(false);
        // The text is complete: typing stops, so the count never runs on.
        c.tmrText.setInterval(0);
    }
    copyMapUnderMessage();
}

void frmMap::copyMapUnderMessage() {
    Controls& c = ui();
    const float tx = display().twipsPerPixelX;
    const float ty = display().twipsPerPixelY;
    platform::bitBlt(c.picText.canvas(), 0, 0, wholeQuotient(c.picText.width(), tx).value(),
                     wholeQuotient(c.picText.height(), ty).value(), c.picMap.surface(),
                     wholeQuotient(c.picText.left(), tx).value(),
                     wholeQuotient(c.picText.top(), ty).value());
}

}  // namespace velmora
