#include "Document.h"

#include "components/ComponentFactory.h"
#include "components/Sonde.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

CVeldtrakDoc::CVeldtrakDoc()
{
    m_strFolderRoot = ProgramFolder();
    QDir::setCurrent(FileSystemPath(m_strFolderRoot));
    m_strDefaultHelpFile = LoadString(61488);
    m_strFolderBitmap = LoadString(61641);
    m_strFolderOutput = LoadString(61640);
    for (int id : {61633, 61634, 61635, 61636, 61640})
        m_worksheetFolders << LoadString(id);
    m_worksheetExtensions << LoadString(61637);
    m_settings.SetFilePath(FileSystemPath(m_strFolderRoot + LoadString(57344)));
    m_commandLine = QCoreApplication::arguments().mid(1);
    DeleteContents();
    ResetUndoHistory();
    m_bBusy = true;
}

CVeldtrakDoc::~CVeldtrakDoc()
{
    SaveSettings(); // written only while the teacher has unlocked the board
    m_probeBuses.clear();
}

void CVeldtrakDoc::AddView(CDocView* view)
{
    m_views.push_back(view);
}

void CVeldtrakDoc::RemoveView(CDocView* view)
{
    std::erase(m_views, view);
}

void CVeldtrakDoc::UpdateAllViews(int hint, int argument)
{
    for (CDocView* view : std::vector<CDocView*>(m_views))
        view->OnUpdate(hint, argument);
}

std::unique_ptr<CComponent> CVeldtrakDoc::CreateComponent(int creationIndex)
{
    std::unique_ptr<CComponent> component = CreateComponentByIndex(creationIndex);
    if (component)
        m_nLastBusId = component->NumberBuses(m_nLastBusId);
    return component;
}

void CVeldtrakDoc::AddComponent(std::unique_ptr<CComponent> component)
{
    ReleaseTickPlan();
    m_components.push_back(std::move(component));
    m_busIndex.Appended(m_components, m_components.size() - 1);
    SetModifiedFlag();
}

void CVeldtrakDoc::DeleteComponent(int index)
{
    if (index < 0 || index >= int(m_components.size()))
        return;
    DeleteComponents({m_components[std::size_t(index)].get()});
}

void CVeldtrakDoc::DeleteComponents(const std::vector<CComponent*>& doomed)
{
    if (doomed.empty() || !CheckPermission(PERMIT_DELETE_COMPONENTS, true))
        return;
    ReleaseTickPlan();
    // One pass over the wires and one over the components, however many go: the wires
    // on their sockets and the probes on them go with them.
    const std::unordered_set<const CComponent*> gone(doomed.begin(), doomed.end());
    std::unordered_set<int> sockets;
    for (const auto& c : m_components)
        if (gone.count(c.get()))
            for (int i = 0; i < c->GetBusCount(); ++i)
                sockets.insert(c->Bus(i).GetId());
    std::erase_if(m_wires, [&sockets](const auto& wire) {
        return sockets.count(wire->m_nBus1) || sockets.count(wire->m_nBus2);
    });
    const auto going = [&](const auto& c) {
        return gone.count(c.get()) || (c->GetTypeId() == TYPE_SONDE && sockets.count(c->m_nParam1));
    };
    if (m_bRunning) { // the sockets that stay must not read from, or chart, a freed one
        std::unordered_set<const CBus*> freed;
        for (const auto& c : m_components)
            if (going(c))
                for (int i = 0; i < c->GetBusCount(); ++i)
                    freed.insert(&c->Bus(i));
        ForgetSockets(freed);
    }
    std::erase_if(m_components, going);
    ComponentsChanged();
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}

void CVeldtrakDoc::ForgetSockets(const std::unordered_set<const CBus*>& freed)
{
    for (const auto& c : m_components)
        for (int i = 0; i < c->GetBusCount(); ++i)
            c->Bus(i).DropSources(freed);
    std::erase_if(m_probeBuses, [&freed](const CBus* bus) { return freed.count(bus) > 0; });
}

int CVeldtrakDoc::ComponentAt(int x, int y, bool firstMatch, int startIndex) const
{
    int best = -1;
    unsigned bestArea = 0;
    for (int i = std::max(startIndex + 1, 0); i < int(m_components.size()); ++i) {
        const CComponent& c = *m_components[std::size_t(i)];
        if (!c.HitTest(x, y))
            continue;
        if (firstMatch)
            return i;
        const CSize size = c.GetSize();
        const unsigned area = unsigned(size.cx) * unsigned(size.cy);
        if (best < 0 || area < bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

CBus* CVeldtrakDoc::FindBus(int busId) const
{
    return m_busIndex.Find(m_components, busId);
}

int CVeldtrakDoc::AddWire(std::unique_ptr<CDraad> wire)
{
    const auto [a, b] = wire->GetEnds();
    const int duplicate = m_wireIndex.Find(m_wires, a, b);
    if (duplicate >= 0) {
        SetModifiedFlag();
        return duplicate;
    }
    m_wires.push_back(std::move(wire));
    m_wireIndex.Appended(m_wires);
    SetModifiedFlag();
    return -1;
}

void CVeldtrakDoc::DeleteWire(int index)
{
    if (index < 0 || index >= int(m_wires.size()))
        return;
    if (!CheckPermission(PERMIT_DELETE_WIRES, true))
        return;
    m_wires.erase(m_wires.begin() + index);
    m_wireIndex.Invalidate();
    SetModifiedFlag();
}

CVeldtrakDoc::WireHit CVeldtrakDoc::WireAt(int x, int y) const
{
    WireHit hit;
    int bestDistance = m_nEraseMargin;
    for (std::size_t i = m_wires.size(); i-- > 0;) {
        CPoint nearest;
        int segment = -1;
        const int distance = int(m_wires[i]->DistanceTo(x, y, nearest, segment));
        // The distance is capped at its starting value: a wire with nothing within
        // that reach leaves the segment untouched and is never hit, whatever the margin.
        if (segment >= 0 && distance < bestDistance) {
            bestDistance = distance;
            hit = {int(i), nearest, segment};
        }
    }
    return hit;
}

void CVeldtrakDoc::RouteWireEnds()
{
    for (auto& wire : m_wires) {
        const auto [a, b] = wire->GetEnds();
        if (const CBus* bus = FindBus(a))
            wire->SetFirstPoint(bus->GetCenter().x, bus->GetCenter().y);
        if (const CBus* bus = FindBus(b))
            wire->SetLastPoint(bus->GetCenter().x, bus->GetCenter().y);
    }
}

void CVeldtrakDoc::DragWireEnds(CDC& dc, int firstBus, int lastBus, int dx, int dy)
{
    for (auto& wire : m_wires)
        wire->DragEnds(dc, firstBus, lastBus, dx, dy);
}

bool CVeldtrakDoc::SnapProbes()
{
    bool changed = false;
    for (auto& c : m_components) {
        auto* probe = dynamic_cast<CSonde*>(c.get());
        if (!probe || probe->AttachedBus() == 0)
            continue;
        const CBus* bus = FindBus(probe->AttachedBus());
        if (!bus || bus == &probe->Bus(0))
            continue;
        const CPoint target = probe->TipTarget(*bus);
        const CPoint tip = probe->TipPoint();
        if (tip == target)
            continue;
        const CPoint corner = probe->GetTopLeft();
        probe->MoveTo(corner.x + target.x - tip.x, corner.y + target.y - tip.y);
        changed = true;
    }
    return changed;
}

void CVeldtrakDoc::UnlinkAll()
{
    for (auto& c : m_components)
        for (int i = 0; i < c->GetBusCount(); ++i)
            c->Bus(i).ClearSources();
    ReleaseTickPlan();
    m_bRunning = false;
}

void CVeldtrakDoc::ClearLevels()
{
    for (auto& c : m_components)
        for (int i = 0; i < c->GetBusCount(); ++i)
            c->Bus(i).m_nValue = 0;
    m_tickPlan.Reload(); // the levels a running tick keeps apart, too
}

void CVeldtrakDoc::LayOutSockets()
{
    // An empty bitmap: text is measured as on screen, nothing is drawn.
    CMemoryDC dc(0, 0);
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    // Inside the rectangle enlarged by one unit, as the board is drawn on screen and
    // on paper: the sockets take the places they will have there.
    for (auto& c : m_components) {
        c->m_rect.InflateRect(1);
        c->Draw(dc);
        c->m_rect.InflateRect(-1);
    }
    dc.SelectObject(oldFont);
}

bool CVeldtrakDoc::HasProbes() const
{
    return std::any_of(m_components.begin(), m_components.end(),
                       [](const auto& c) { return c->GetTypeId() == TYPE_SONDE; });
}

bool CVeldtrakDoc::HasContents() const
{
    return !m_components.empty() || !m_textFields.empty() || !m_tables.empty() ||
           !m_pictures.empty();
}

void CVeldtrakDoc::AddTextField(std::unique_ptr<CBoardObject> object)
{
    m_textFields.push_back(std::move(object));
    SetModifiedFlag();
}

void CVeldtrakDoc::AddTable(std::unique_ptr<CBoardObject> object)
{
    m_tables.push_back(std::move(object));
    SetModifiedFlag();
}

void CVeldtrakDoc::AddPicture(std::unique_ptr<CBoardObject> object)
{
    m_pictures.push_back(std::move(object));
    SetModifiedFlag();
}

void CVeldtrakDoc::DeleteAnnotation(ObjectList& list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return;
    if (!CheckPermission(PERMIT_CHANGE_TEXTS, true))
        return;
    list.erase(list.begin() + index);
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}

void CVeldtrakDoc::DeleteTextField(int index)
{
    DeleteAnnotation(m_textFields, index);
}

void CVeldtrakDoc::DeleteTable(int index)
{
    DeleteAnnotation(m_tables, index);
}

void CVeldtrakDoc::DeletePicture(int index)
{
    DeleteAnnotation(m_pictures, index);
}

void CVeldtrakDoc::SetPathName(const QString& path)
{
    m_strPathName = path;
    m_strTitle = path.mid(path.lastIndexOf(u'\\') + 1);
}

void CVeldtrakDoc::DeleteContents()
{
    m_probeBuses.clear();
    m_components.clear();
    ComponentsChanged();
    m_wires.clear();
    m_textFields.clear();
    m_tables.clear();
    m_pictures.clear();
    m_nLastBusId = 0;
    m_nPermissions = PERMIT_ALL;
    m_strHelpFile = m_strDefaultHelpFile;
    m_strPrevBoard.clear();
    m_strNextBoard.clear();
    m_strPrevPassword.clear();
    m_strNextPassword.clear();
    m_strBoardTitle.clear();
    m_bRunning = false;
    m_bPrevResolved = false;
    m_bNextResolved = false;
    SetPathName(WindowsName(QDir::currentPath()) + u'\\' + LoadString(61443));
}
