#pragma once
// The dialogs of the teacher's commands for new text fields and tables. They belong to
// the annotations, which install them in the document; the document runs them on its
// commands and the board view takes the new object from them on the update hint.

#include "core/BoardObject.h"

#include <memory>

class CAuthoringDialogs {
public:
    virtual ~CAuthoringDialogs() = default;
    // The text-field dialog on an empty text with a frame; true when it ended with OK.
    virtual bool EditNewTextField() = 0;
    // The table dialog on the values of a new table; true on OK.
    virtual bool EditNewTable() = 0;
    // A new object with what the dialog delivered.
    virtual std::unique_ptr<CBoardObject> NewTextField() = 0;
    virtual std::unique_ptr<CBoardObject> NewTable() = 0;
};
