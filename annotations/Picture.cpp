#include "Picture.h"

#include "BitmapFile.h"
#include "components/dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"

#include <cstdlib>

namespace {
constexpr int kDeleteAndChange = 130; // "&Wis" and OK enabled
}

void CPlaatje::SetFile(const QString& folder, const QString& fileName)
{
    m_strFolder = folder.trimmed();
    if (!fileName.trimmed().isEmpty())
        m_strFileName = fileName.trimmed();
}

void CPlaatje::Load()
{
    if (m_strFileName.isEmpty())
        return;
    QString name;
    if (NameExists(m_strFileName))
        name = m_strFileName;
    else if (NameExists(m_strFolder + m_strFileName))
        name = m_strFolder + m_strFileName;
    if (name.isEmpty())
        return;
    m_bitmap = LoadBitmapFile(FileSystemPath(name));
    m_bNotInverted = true;
    m_nWidth = m_bitmap.isNull() ? 0 : m_bitmap.width();
    m_nHeight = m_bitmap.isNull() ? 0 : m_bitmap.height();
}

void CPlaatje::LoadFiles(const QString& bitmapFolder)
{
    SetFile(bitmapFolder, QString());
    Load();
}

void CPlaatje::Draw(CDC& dc)
{
    // The size in board units of the bitmap's pixels at the resolution the board is
    // laid out in; a zoomed view stretches it.
    const int layoutDpi = dc.LayoutDpi();
    CMemoryDC measure(1, 1, layoutDpi);
    const CPoint origin = measure.DPtoLP(CPoint(0, 0));
    const CPoint size = measure.DPtoLP(CPoint(m_nWidth, m_nHeight));
    const int w = std::abs(size.x - origin.x);
    const int h = std::abs(size.y - origin.y);
    m_rect = CRect(m_rect.left, m_rect.top, m_rect.left + w, m_rect.top - h);
    if (m_bitmap.isNull())
        return;
    if (dc.IsPrinting()) {
        DrawPlain(dc, w, h);
        return;
    }
    if (m_bNotInverted) {
        m_bNotInverted = false;
        m_bitmap.invertPixels();
    }
    CDC source(m_bitmap, layoutDpi);
    if (dc.Dpi() != layoutDpi) {
        dc.BitBlt(m_rect.left, m_rect.top, w, -h, source, 0, 0, SRCINVERT);
        return;
    }
    // Pixel for pixel: the copy spans exactly the bitmap's pixels wherever the board's
    // mapping puts the corner, so that the picture shows at its natural size.
    const CPoint corner = dc.LPtoDP(m_rect.TopLeft());
    const CPoint end = dc.DPtoLP(CPoint(corner.x + m_nWidth, corner.y + m_nHeight));
    dc.BitBlt(m_rect.left, m_rect.top, end.x - m_rect.left, end.y - m_rect.top, source, 0, 0, SRCINVERT);
}

void CPlaatje::DrawPlain(CDC& dc, int w, int h) const
{
    // Paper is not drawn twice: the picture goes on in its own colours, whatever the
    // printer can mix. The bitmap in memory may already be inverted for the screen.
    QImage colours = m_bitmap;
    if (!m_bNotInverted)
        colours.invertPixels();
    CDC source(colours, dc.LayoutDpi());
    dc.BitBlt(m_rect.left, m_rect.top, w, -h, source, 0, 0, SRCCOPY);
}

void CPlaatje::PlaceAt(CDC& dc, int x, int y, int)
{
    if (x <= 0 || y >= 0)
        return;
    Draw(dc);
    m_rect = CRect(x, y, x + m_rect.right - m_rect.left, y + m_rect.bottom - m_rect.top);
    Draw(dc);
}

CRect CPlaatje::HitArea() const
{
    // On the board the top has the larger y: narrowing moves it down, the bottom up.
    return CRect(m_rect.left - 1, m_rect.top - 1, m_rect.right + 1, m_rect.bottom + 1).Normalized();
}

int CPlaatje::Edit()
{
    CNoPropertiesDlg dialog(QString(), kDeleteAndChange);
    return dialog.Run();
}
