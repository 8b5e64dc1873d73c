#include "BoardJson.h"

#include "Document.h"
#include "JsonText.h"
#include "RecordFields.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <map>
#include <set>

namespace {

struct HeaderText {
    const char* key;
    QString CVeldtrakDoc::*field;
};

const HeaderText kHeaderTexts[] = {
    {"prevBoard", &CVeldtrakDoc::m_strPrevBoard},
    {"nextBoard", &CVeldtrakDoc::m_strNextBoard},
    {"helpFile", &CVeldtrakDoc::m_strHelpFile},
    {"title", &CVeldtrakDoc::m_strBoardTitle},
    {"prevPassword", &CVeldtrakDoc::m_strPrevPassword},
    {"nextPassword", &CVeldtrakDoc::m_strNextPassword},
};
const char* const kPermissions = "permissions";
constexpr int kMaxPassword = 8;

// The lists of the board, with the one class each may hold (components name theirs).
enum class ListKind { Pictures, Tables, TextFields, Components, Wires };
struct ListSpec {
    const char* key;
    ListKind kind;
    const char* onlyClass;
};
const ListSpec kLists[] = {
    {"pictures", ListKind::Pictures, "CPlaatje"},
    {"tables", ListKind::Tables, "CTabel"},
    {"textFields", ListKind::TextFields, "CTextField"},
    {"components", ListKind::Components, nullptr},
    {"wires", ListKind::Wires, "CDraad"},
};

QJsonObject ObjectToJson(CBoardObject& object, bool withClass)
{
    QJsonObject json;
    if (withClass) json.insert(QStringLiteral("class"), QLatin1String(object.GetClassName()));
    DecodeRecord(RecordBytes(object), RecordLayoutOf(object), json);
    return json;
}

template <class List> QJsonArray ListToJson(List& list, bool withClass)
{
    QJsonArray array;
    for (auto& object : list)
        array.append(ObjectToJson(*object, withClass));
    return array;
}

class CBoardImport {
public:
    CBoardImport(const QByteArray& json, CVeldtrakDoc& doc) : m_lines(json), m_doc(doc) {}

    bool Run(const QJsonObject& root)
    {
        return KnownKeys(root) && Header(root) && Lists(root) && CheckSockets() && CheckWires() &&
               RouteStraightWires();
    }
    const QString& Error() const { return m_error; }

private:
    bool Fail(const QString& path, const QString& reason)
    {
        m_error =
            QStringLiteral("regel %1, veld %2: %3").arg(m_lines.LineOf(path)).arg(path, reason);
        return false;
    }

    static QString Child(const QString& path, const QString& key)
    {
        return path.isEmpty() ? key : path + u'.' + key;
    }

    bool KnownKeys(const QJsonObject& root)
    {
        for (const QString& key : root.keys()) {
            bool known = key == QLatin1String(kPermissions);
            for (const HeaderText& h : kHeaderTexts)
                known = known || key == QLatin1String(h.key);
            for (const ListSpec& l : kLists)
                known = known || key == QLatin1String(l.key);
            if (!known) return Fail(key, QStringLiteral("onbekend veld"));
        }
        return true;
    }

    bool Header(const QJsonObject& root)
    {
        for (const HeaderText& h : kHeaderTexts) {
            const QString key = QLatin1String(h.key);
            QString text, reason;
            if (root.contains(key) && !TextFromJson(root.value(key), text, reason))
                return Fail(key, reason);
            // The password prompt takes at most 8 characters: a longer one locks the link.
            if (key.endsWith(QLatin1String("Password")) && text.size() > kMaxPassword)
                return Fail(key, QStringLiteral("een wachtwoord heeft hoogstens 8 tekens"));
            m_doc.*h.field = text;
        }
        m_doc.m_nPermissions = PERMIT_ALL;
        if (root.contains(QLatin1String(kPermissions))) {
            const QJsonValue value = root.value(QLatin1String(kPermissions));
            const double d = value.toDouble(-1);
            if (!value.isDouble() || d < 0 || d > double(PERMIT_ALL) || d != int(d))
                return Fail(QLatin1String(kPermissions),
                            QStringLiteral("hier hoort een getal van 0 tot en met 255"));
            m_doc.m_nPermissions = int(d);
        }
        return true;
    }

    bool Lists(const QJsonObject& root)
    {
        for (const ListSpec& list : kLists) {
            const QString key = QLatin1String(list.key);
            if (!root.contains(key)) continue;
            if (!root.value(key).isArray())
                return Fail(key, QStringLiteral("hier hoort een lijst [ ... ]"));
            const QJsonArray array = root.value(key).toArray();
            for (qsizetype i = 0; i < array.size(); ++i) {
                const QString path = key + u'[' + QString::number(i) + u']';
                std::unique_ptr<CBoardObject> object = Element(array.at(i), path, list);
                if (!object) return false;
                Keep(std::move(object), list.kind);
            }
        }
        return true;
    }

    void Keep(std::unique_ptr<CBoardObject> object, ListKind kind)
    {
        switch (kind) {
        case ListKind::Pictures:
            m_doc.m_pictures.push_back(std::move(object));
            break;
        case ListKind::Tables:
            m_doc.m_tables.push_back(std::move(object));
            break;
        case ListKind::TextFields:
            m_doc.m_textFields.push_back(std::move(object));
            break;
        case ListKind::Components:
            m_doc.m_components.emplace_back(static_cast<CComponent*>(object.release()));
            break;
        case ListKind::Wires:
            m_doc.m_wires.emplace_back(static_cast<CDraad*>(object.release()));
            break;
        }
    }

    std::unique_ptr<CBoardObject> Element(const QJsonValue& value, const QString& path,
                                          const ListSpec& list)
    {
        if (!value.isObject()) {
            Fail(path, QStringLiteral("hier hoort een object { ... }"));
            return nullptr;
        }
        const QJsonObject element = value.toObject();
        const bool isComponent = list.kind == ListKind::Components;
        QString className = QLatin1String(list.onlyClass);
        if (isComponent) {
            if (!element.value(QStringLiteral("class")).isString()) {
                Fail(path,
                     QStringLiteral(
                         "het veld class (de soort component, bijvoorbeeld \"CLamp\") ontbreekt"));
                return nullptr;
            }
            className = element.value(QStringLiteral("class")).toString();
        }
        const ObjectFactory* factory = FindClass(className.toStdString());
        std::unique_ptr<CBoardObject> object = factory ? (*factory)() : nullptr;
        if (!object || (isComponent != (dynamic_cast<CComponent*>(object.get()) != nullptr))) {
            Fail(Child(path, QStringLiteral("class")),
                 QStringLiteral("onbekende component \"%1\"").arg(className));
            return nullptr;
        }
        const RecordLayout layout = RecordLayoutOf(*object);

        QJsonObject values;
        DecodeRecord(RecordBytes(*object), layout, values); // a new object's values
        for (const QString& key : element.keys()) {
            if (isComponent && key == u"class") continue;
            if (!values.contains(key)) {
                QStringList names;
                for (const RecordField& f : layout.fields)
                    names << QLatin1String(f.name);
                Fail(Child(path, key),
                     QStringLiteral("onbekend veld; hier kunnen staan: %1").arg(names.join(u", ")));
                return nullptr;
            }
            values.insert(key, element.value(key));
        }
        const QStringList required = isComponent ? QStringList{QStringLiteral("sockets")}
                                     : list.kind == ListKind::Wires
                                         ? QStringList{QStringLiteral("from"), QStringLiteral("to")}
                                         : QStringList{};
        for (const QString& key : required) {
            if (!element.contains(key)) {
                Fail(path, QStringLiteral("het veld %1 ontbreekt").arg(key));
                return nullptr;
            }
        }
        if (list.kind == ListKind::Wires && !element.contains(QStringLiteral("points")))
            m_straightWires.insert(m_doc.m_wires.size());

        QByteArray record;
        FieldProblem problem;
        if (!EncodeRecord(values, layout, record, problem)) {
            Fail(Child(path, problem.field), problem.reason);
            return nullptr;
        }
        CArchive ar(record.constData(), std::size_t(record.size()));
        object->Serialize(ar);
        if (ar.Failed() || ar.Remaining() != 0) {
            Fail(path, QStringLiteral("dit object kan zo niet in een bord staan"));
            return nullptr;
        }
        // A value the class does not keep as given (out of its range) would be
        // changed silently on reading; say which.
        const QByteArray kept = RecordBytes(*object);
        if (kept != record) {
            QJsonObject read;
            DecodeRecord(kept, layout, read);
            for (const RecordField& f : layout.fields) {
                const QString key = QLatin1String(f.name);
                if (read.value(key) != values.value(key)) {
                    Fail(Child(path, key),
                         QStringLiteral("de waarde %1 kan niet; het bord zou %2 lezen")
                             .arg(CompactJson(values.value(key)), CompactJson(read.value(key))));
                    return nullptr;
                }
            }
            Fail(path, QStringLiteral("dit object kan zo niet in een bord staan"));
            return nullptr;
        }
        return object;
    }

    bool CheckSockets()
    {
        for (std::size_t i = 0; i < m_doc.m_components.size(); ++i) {
            const CComponent& c = *m_doc.m_components[i];
            for (int b = 0; b < c.GetBusCount(); ++b) {
                const QString path = QStringLiteral("components[%1].sockets[%2]").arg(i).arg(b);
                const int id = c.Bus(b).GetId();
                if (id <= 0)
                    return Fail(path, QStringLiteral("een socketnummer moet groter dan 0 zijn"));
                // The board finds a socket by its component's first number plus its place.
                if (b > 0 && id != c.Bus(0).GetId() + b)
                    return Fail(path, QStringLiteral("de socketnummers van een component volgen op elkaar: "
                                                     "hier hoort %1")
                                          .arg(std::int64_t(c.Bus(0).GetId()) + b));
                const auto [it, fresh] = m_socketOwner.emplace(id, i);
                if (!fresh)
                    return Fail(path, QStringLiteral("socketnummer %1 heeft components[%2] al")
                                          .arg(id)
                                          .arg(it->second));
            }
        }
        return true;
    }

    bool CheckWires()
    {
        for (std::size_t i = 0; i < m_doc.m_wires.size(); ++i) {
            const auto [from, to] = m_doc.m_wires[i]->GetEnds();
            for (const auto& [key, id] : {std::pair{"from", from}, std::pair{"to", to}}) {
                if (!m_socketOwner.count(id))
                    return Fail(QStringLiteral("wires[%1].%2").arg(i).arg(QLatin1String(key)),
                                QStringLiteral("geen component heeft socket %1").arg(id));
            }
        }
        return true;
    }

    bool RouteStraightWires()
    {
        if (m_straightWires.empty()) return true;
        m_doc.LayOutSockets();
        for (std::size_t i : m_straightWires) {
            CDraad& wire = *m_doc.m_wires[i];
            const auto [from, to] = wire.GetEnds();
            const CBus* a = m_doc.FindBus(from);
            const CBus* b = m_doc.FindBus(to);
            if (a && b) // both checked above
                wire.m_points = {a->GetCenter(), b->GetCenter()};
        }
        return true;
    }

    CJsonLines m_lines;
    CVeldtrakDoc& m_doc;
    QString m_error;
    std::set<std::size_t> m_straightWires;
    std::map<int, std::size_t> m_socketOwner;
};

} // namespace

QByteArray ExportBoardJson(CVeldtrakDoc& doc)
{
    QJsonObject root;
    for (const HeaderText& h : kHeaderTexts)
        root.insert(QLatin1String(h.key), TextToJson(doc.*h.field));
    root.insert(QLatin1String(kPermissions), doc.m_nPermissions);
    root.insert(QStringLiteral("pictures"), ListToJson(doc.m_pictures, false));
    root.insert(QStringLiteral("tables"), ListToJson(doc.m_tables, false));
    root.insert(QStringLiteral("textFields"), ListToJson(doc.m_textFields, false));
    root.insert(QStringLiteral("components"), ListToJson(doc.m_components, true));
    root.insert(QStringLiteral("wires"), ListToJson(doc.m_wires, false));
    return FormatJson(root, BoardJsonKeyOrder());
}

bool ImportBoardJson(const QByteArray& json, CVeldtrakDoc& doc, QString& error)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("regel %1: %2")
                    .arg(LineAtOffset(json, parseError.offset))
                    .arg(JsonSyntaxError(parseError.error));
        return false;
    }
    if (!parsed.isObject()) {
        error = QStringLiteral("regel 1: het bestand hoort met { te beginnen");
        return false;
    }
    CBoardImport import(json, doc);
    if (import.Run(parsed.object())) return true;
    error = import.Error();
    return false;
}
