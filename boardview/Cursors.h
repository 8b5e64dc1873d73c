#pragma once
// The board's own cursors: 32 x 32 pixels, one bit per pixel, hot spot at (1,1). The
// measurement tick picks one from the key state word, so that pupils see which source
// the mouse has become (Shift light, Ctrl sound, Caps Lock heat).

#include <QCursor>
#include <QImage>

#include <cstdint>

// The cursors by their resource numbers.
enum BoardCursor : int {
    CURSOR_HEAT = 141,
    CURSOR_LIGHT = 142,
    CURSOR_PLAIN = 143,
    CURSOR_SOUND = 144,
};

// The cursor of a measurement tick for the key bits of the state word (mouse bits not
// yet added): only an exact Shift, Ctrl or Caps Lock gives a source cursor.
BoardCursor CursorForState(std::uint32_t keyState);

const QCursor& GetBoardCursor(BoardCursor cursor);

// The cursor as a picture: black and white on transparent, for screenshots.
QImage BoardCursorImage(BoardCursor cursor);
