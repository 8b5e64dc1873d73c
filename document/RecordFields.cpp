#include "RecordFields.h"

#include "core/Archive.h"
#include "core/Component.h"
#include "platform/CodePage.h"

#include <QJsonArray>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kColourCount = 16;

bool HasBlackboxLabel(const char* className)
{
    for (const char* name :
         {"CENpoort", "CNENpoort", "COFpoort", "CNOFpoort", "CXOFpoort", "CGeheugen"})
        if (std::strcmp(name, className) == 0) return true;
    return false;
}

bool HasColourTable(const char* className)
{
    for (const char* name : {"CLamp", "CLed", "CRelais"})
        if (std::strcmp(name, className) == 0) return true;
    return false;
}

QString ColourText(std::uint32_t colour)
{
    const std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    const std::uint32_t high = colour >> 24;
    QString text = QStringLiteral("#");
    if (high != 0) // never written by the program, but kept
        text += QString::number(high, 16).rightJustified(2, u'0');
    return (text + QString::number(rgb, 16).rightJustified(6, u'0')).toUpper();
}

bool ColourFromText(const QJsonValue& value, std::uint32_t& colour)
{
    const QString text = value.toString();
    if (!value.isString() || !text.startsWith(u'#') || (text.size() != 7 && text.size() != 9))
        return false;
    bool ok = false;
    const std::uint32_t v = text.mid(1).toUInt(&ok, 16);
    if (!ok) return false;
    colour = (v & 0xFF000000) | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    return true;
}

bool IntFrom(const QJsonValue& value, std::int32_t& into)
{
    if (!value.isDouble()) return false;
    const double d = value.toDouble();
    if (d != std::trunc(d) || d < std::numeric_limits<std::int32_t>::min() ||
        d > std::numeric_limits<std::int32_t>::max())
        return false;
    into = std::int32_t(d);
    return true;
}

QJsonArray IntArray(CArchive& ar, int count)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(ar.ReadInt());
    return array;
}

const QString kIntExpected = QStringLiteral("hier hoort een geheel getal (32 bits)");

// Writes a list of exactly 'count' whole numbers (any count when count < 0).
bool WriteIntList(CArchive& ar, const QJsonValue& value, int count, FieldProblem& problem)
{
    if (!value.isArray()) {
        problem.reason = count < 0
                             ? QStringLiteral("hier hoort een lijst van getallen")
                             : QStringLiteral("hier hoort een lijst van %1 getallen").arg(count);
        return false;
    }
    const QJsonArray array = value.toArray();
    if (count >= 0 && array.size() != count) {
        problem.reason =
            QStringLiteral("hier horen %1 getallen, er staan er %2").arg(count).arg(array.size());
        return false;
    }
    for (qsizetype i = 0; i < array.size(); ++i) {
        std::int32_t v = 0;
        if (!IntFrom(array.at(i), v)) {
            problem.field += u'[' + QString::number(i) + u']';
            problem.reason = kIntExpected;
            return false;
        }
        ar.WriteInt(v);
    }
    return true;
}

} // namespace

RecordLayout RecordLayoutOf(const CBoardObject& object)
{
    const char* name = object.GetClassName();
    RecordLayout layout;
    if (const auto* component = dynamic_cast<const CComponent*>(&object)) {
        layout.socketCount = component->GetBusCount();
        layout.fields = {{"x", FieldKind::Int},      {"y", FieldKind::Int},
                         {"name", FieldKind::Text},  {"sockets", FieldKind::Sockets},
                         {"param1", FieldKind::Int}, {"param2", FieldKind::Int},
                         {"corner", FieldKind::Int}, {"param4", FieldKind::Int}};
        if (HasBlackboxLabel(name)) layout.fields.push_back({"blackboxLabel", FieldKind::Text});
        if (HasColourTable(name)) layout.fields.push_back({"colours", FieldKind::Colours});
    } else if (std::strcmp(name, "CDraad") == 0) {
        layout.fields = {{"from", FieldKind::Int},
                         {"to", FieldKind::Int},
                         {"colour", FieldKind::Colour},
                         {"points", FieldKind::Points}};
    } else if (std::strcmp(name, "CTextField") == 0) {
        layout.fields = {
            {"rect", FieldKind::Rect}, {"text", FieldKind::Text}, {"frame", FieldKind::Int}};
    } else if (std::strcmp(name, "CTabel") == 0) {
        layout.fields = {{"rect", FieldKind::Rect},      {"data", FieldKind::Text},
                         {"separator", FieldKind::Text}, {"fixed", FieldKind::Int},
                         {"rowHeader", FieldKind::Int},  {"columnHeader", FieldKind::Int},
                         {"columns", FieldKind::Int},    {"rows", FieldKind::Int}};
    } else if (std::strcmp(name, "CPlaatje") == 0) {
        layout.fields = {{"file", FieldKind::Text}, {"x", FieldKind::Int}, {"y", FieldKind::Int}};
    }
    return layout;
}

QByteArray RecordBytes(CBoardObject& object)
{
    QByteArray bytes;
    CArchive ar(bytes);
    object.Serialize(ar);
    return bytes;
}

bool DecodeRecord(const QByteArray& record, const RecordLayout& layout, QJsonObject& into)
{
    CArchive ar(record.constData(), std::size_t(record.size()));
    for (const RecordField& field : layout.fields) {
        QJsonValue value;
        switch (field.kind) {
        case FieldKind::Int:
            value = ar.ReadInt();
            break;
        case FieldKind::Text:
            value = TextToJson(ar.ReadString());
            break;
        case FieldKind::Rect:
            value = IntArray(ar, 4);
            break;
        case FieldKind::Colour:
            value = ColourText(ar.ReadColour());
            break;
        case FieldKind::Sockets:
            value = IntArray(ar, layout.socketCount);
            break;
        case FieldKind::Colours: {
            QJsonArray colours;
            for (int i = 0; i < kColourCount; ++i)
                colours.append(ColourText(ar.ReadColour()));
            value = colours;
            break;
        }
        case FieldKind::Points: {
            const std::uint32_t count = ar.ReadCount();
            if (!ar.CanHold(count, 8)) return false;
            QJsonArray points;
            for (std::uint32_t i = 0; i < count; ++i)
                points.append(IntArray(ar, 2));
            value = points;
            break;
        }
        }
        into.insert(QLatin1String(field.name), value);
    }
    return !ar.Failed() && ar.Remaining() == 0;
}

bool EncodeRecord(const QJsonObject& values, const RecordLayout& layout, QByteArray& record,
                  FieldProblem& problem)
{
    CArchive ar(record);
    for (const RecordField& field : layout.fields) {
        const QJsonValue value = values.value(QLatin1String(field.name));
        problem.field = QLatin1String(field.name);
        switch (field.kind) {
        case FieldKind::Int: {
            std::int32_t v = 0;
            if (!IntFrom(value, v)) {
                problem.reason = kIntExpected;
                return false;
            }
            ar.WriteInt(v);
            break;
        }
        case FieldKind::Text: {
            QString text;
            if (!TextFromJson(value, text, problem.reason)) return false;
            ar.WriteString(text);
            break;
        }
        case FieldKind::Rect:
            if (!WriteIntList(ar, value, 4, problem)) return false;
            break;
        case FieldKind::Sockets:
            if (!WriteIntList(ar, value, layout.socketCount, problem)) return false;
            break;
        case FieldKind::Colour: {
            std::uint32_t colour = 0;
            if (!ColourFromText(value, colour)) {
                problem.reason = QStringLiteral("hier hoort een kleur als \"#RRGGBB\"");
                return false;
            }
            ar.WriteColour(colour);
            break;
        }
        case FieldKind::Colours: {
            const QJsonArray colours = value.toArray();
            if (!value.isArray() || colours.size() != kColourCount) {
                problem.reason =
                    QStringLiteral("hier hoort een lijst van 16 kleuren als \"#RRGGBB\"");
                return false;
            }
            for (qsizetype i = 0; i < colours.size(); ++i) {
                std::uint32_t colour = 0;
                if (!ColourFromText(colours.at(i), colour)) {
                    problem.field += u'[' + QString::number(i) + u']';
                    problem.reason = QStringLiteral("hier hoort een kleur als \"#RRGGBB\"");
                    return false;
                }
                ar.WriteColour(colour);
            }
            break;
        }
        case FieldKind::Points: {
            const QJsonArray points = value.toArray();
            if (!value.isArray()) {
                problem.reason = QStringLiteral("hier hoort een lijst van punten [x, y]");
                return false;
            }
            ar.WriteCount(std::uint32_t(points.size()));
            const QString base = problem.field;
            for (qsizetype i = 0; i < points.size(); ++i) {
                problem.field = base + u'[' + QString::number(i) + u']';
                if (!WriteIntList(ar, points.at(i), 2, problem)) return false;
            }
            break;
        }
        }
    }
    problem = {};
    return true;
}

QJsonValue TextToJson(const QString& text)
{
    if (!text.contains(u'\n')) return text;
    QJsonArray pieces;
    qsizetype begin = 0;
    while (begin < text.size()) {
        qsizetype end = text.indexOf(u'\n', begin);
        end = end < 0 ? text.size() : end + 1;
        pieces.append(text.mid(begin, end - begin));
        begin = end;
    }
    return pieces;
}

bool TextFromJson(const QJsonValue& value, QString& text, QString& reason)
{
    text.clear();
    if (value.isString()) {
        text = value.toString();
    } else if (value.isArray()) {
        for (const QJsonValue& piece : value.toArray()) {
            if (!piece.isString()) {
                reason = QStringLiteral("hier hoort een tekst of een lijst van teksten");
                return false;
            }
            text += piece.toString();
        }
    } else {
        reason = QStringLiteral("hier hoort een tekst of een lijst van teksten");
        return false;
    }
    if (FromCp1252(ToCp1252(text)) != text) {
        for (const QChar c : text) {
            if (FromCp1252(ToCp1252(QString(c))) != QString(c)) {
                reason =
                    QStringLiteral("het teken '%1' (U+%2) kan niet in een bordbestand staan")
                        .arg(c)
                        .arg(QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper());
                return false;
            }
        }
    }
    return true;
}

const QStringList& BoardJsonKeyOrder()
{
    static const QStringList order = {
        QStringLiteral("title"),
        QStringLiteral("prevBoard"),
        QStringLiteral("prevPassword"),
        QStringLiteral("nextBoard"),
        QStringLiteral("nextPassword"),
        QStringLiteral("permissions"),
        QStringLiteral("helpFile"),
        QStringLiteral("pictures"),
        QStringLiteral("tables"),
        QStringLiteral("textFields"),
        QStringLiteral("components"),
        QStringLiteral("wires"),
        QStringLiteral("class"),
        QStringLiteral("file"),
        QStringLiteral("x"),
        QStringLiteral("y"),
        QStringLiteral("name"),
        QStringLiteral("sockets"),
        QStringLiteral("param1"),
        QStringLiteral("param2"),
        QStringLiteral("corner"),
        QStringLiteral("param4"),
        QStringLiteral("blackboxLabel"),
        QStringLiteral("colours"),
        QStringLiteral("from"),
        QStringLiteral("to"),
        QStringLiteral("colour"),
        QStringLiteral("points"),
        QStringLiteral("rect"),
        QStringLiteral("frame"),
        QStringLiteral("text"),
        QStringLiteral("columns"),
        QStringLiteral("rows"),
        QStringLiteral("separator"),
        QStringLiteral("fixed"),
        QStringLiteral("rowHeader"),
        QStringLiteral("columnHeader"),
        QStringLiteral("data"),
    };
    return order;
}
