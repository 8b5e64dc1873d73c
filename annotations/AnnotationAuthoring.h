#pragma once
// The teacher's dialogs for new text fields and tables, installed in the document, and
// the offscreen layout of the annotations (their size is known only once drawn).

class CVeldtrakDoc;

// Gives the document its dialogs for new text fields and tables, once.
void InstallAnnotationAuthoring(CVeldtrakDoc& doc);

// Draws every text field, table and picture once offscreen at this resolution, so that
// their rectangles are what the board shows; nothing is kept of the drawing.
void LayOutAnnotations(CVeldtrakDoc& doc, int dpi = 96);
