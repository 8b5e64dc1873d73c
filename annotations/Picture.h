#pragma once
// A picture of a worksheet: a bitmap file shown at its natural size. It is drawn by an
// exclusive-or copy of a once-inverted copy of the bitmap: on the white board it shows
// its own colours, and drawing it again at the same place removes it.

#include "Annotation.h"

#include <QImage>
#include <QString>

class CPlaatje : public CAnnotation {
public:
    const char* GetClassName() const override { return "CPlaatje"; }
    void Serialize(CArchive& ar) override;
    // Also erases: the second drawing at the same place removes the first. The size
    // follows the resolution of the context drawn on. Printed, it is drawn plainly.
    void Draw(CDC& dc) override;
    // After a board was read: the stored name, or else that name in the bitmap folder.
    void LoadFiles(const QString& bitmapFolder) override;

    // Both trimmed; the folder is always taken, the name only when it is not empty.
    void SetFile(const QString& folder, const QString& fileName);
    void Load();
    // Removes the picture from its place and shows it at (x, y); points off the board
    // are ignored.
    // Pictures do not snap: the last argument is not used.
    void PlaceAt(CDC& dc, int x, int y, int textSnap = 0) override;
    // The "Geen eigenschappen" dialog with an empty caption: 1, 2 or 172 ("&Wis").
    int Edit() override;

    bool IsLoaded() const { return !m_bitmap.isNull(); }

    QString m_strFolder;
    QString m_strFileName;
    int m_nWidth = 0; // pixels, 0 until loaded
    int m_nHeight = 0;

protected:
    // Widened by one unit on the left and right, narrowed by one at the top and bottom.
    CRect HitArea() const override;

private:
    // The picture in its own colours, w x h units at its place (for printing).
    void DrawPlain(CDC& dc, int w, int h) const;

    QImage m_bitmap;
    bool m_bNotInverted = true;
};
