#include "JsonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

CJsonLines::CJsonLines(const QByteArray& text) : m_text(text)
{
    SkipBlanks();
    Value(QString());
}

int CJsonLines::LineOf(const QString& path) const
{
    QString p = path;
    while (!p.isEmpty()) {
        const auto it = m_lines.constFind(p);
        if (it != m_lines.constEnd()) return *it;
        const qsizetype cut = std::max(p.lastIndexOf(u'.'), p.lastIndexOf(u'['));
        p.truncate(std::max<qsizetype>(cut, 0));
    }
    return 1;
}

void CJsonLines::SkipBlanks()
{
    while (m_nPos < m_text.size()) {
        const char c = m_text[m_nPos];
        if (c == '\n')
            ++m_nLine;
        else if (c != ' ' && c != '\t' && c != '\r')
            return;
        ++m_nPos;
    }
}

void CJsonLines::SkipSeparator()
{
    SkipBlanks();
    if (m_nPos < m_text.size() && m_text[m_nPos] == ',') {
        ++m_nPos;
        SkipBlanks();
    }
}

QString CJsonLines::String()
{
    // At the opening quote; the text is valid JSON, so only escapes need care.
    const qsizetype begin = ++m_nPos;
    while (m_nPos < m_text.size() && m_text[m_nPos] != '"')
        m_nPos += m_text[m_nPos] == '\\' ? 2 : 1;
    const QByteArray raw = m_text.mid(begin, m_nPos - begin);
    ++m_nPos;
    const QJsonDocument doc = QJsonDocument::fromJson("[\"" + raw + "\"]");
    return doc.array().at(0).toString();
}

void CJsonLines::Value(const QString& path)
{
    if (m_nPos >= m_text.size()) return;
    const char c = m_text[m_nPos];
    if (c == '{') {
        Object(path);
    } else if (c == '[') {
        Array(path);
    } else if (c == '"') {
        String();
    } else {
        while (m_nPos < m_text.size() && !QByteArrayView(",]} \t\r\n").contains(m_text[m_nPos]))
            ++m_nPos;
    }
}

void CJsonLines::Object(const QString& path)
{
    ++m_nPos;
    SkipBlanks();
    while (m_nPos < m_text.size() && m_text[m_nPos] != '}') {
        const int line = m_nLine;
        const QString key = String();
        const QString child = path.isEmpty() ? key : path + u'.' + key;
        m_lines.insert(child, line);
        SkipBlanks();
        ++m_nPos; // ':'
        SkipBlanks();
        Value(child);
        SkipSeparator();
    }
    ++m_nPos;
}

void CJsonLines::Array(const QString& path)
{
    ++m_nPos;
    SkipBlanks();
    for (int i = 0; m_nPos < m_text.size() && m_text[m_nPos] != ']'; ++i) {
        const QString child = path + u'[' + QString::number(i) + u']';
        m_lines.insert(child, m_nLine);
        Value(child);
        SkipSeparator();
    }
    ++m_nPos;
}

int LineAtOffset(const QByteArray& text, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, text.size());
    return int(std::count(text.begin(), text.begin() + offset, '\n')) + 1;
}

QString JsonSyntaxError(int qtError)
{
    switch (qtError) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("een object is niet afgesloten met }");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("na een veldnaam hoort een dubbele punt");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("een lijst is niet afgesloten met ]");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("tussen twee waarden hoort een komma");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("hier staat geen geldige waarde");
    case QJsonParseError::TerminationByNumber:
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("een ongeldig getal");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral(
            "een ongeldige \\-code in een tekst (schrijf \\\\ voor een backslash)");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("de tekst is geen geldige UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("een tekst is niet afgesloten met \"");
    case QJsonParseError::MissingObject:
        return QStringLiteral("het bestand hoort met { te beginnen");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("te diep genest");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("het bestand is te groot");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("na het einde van het bord staat nog tekst");
    default:
        return QStringLiteral("ongeldige JSON");
    }
}

namespace {

QByteArray Scalar(const QJsonValue& value)
{
    QByteArray one = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return one.mid(1, one.size() - 2);
}

bool IsNumberList(const QJsonValue& value)
{
    if (!value.isArray()) return false;
    const QJsonArray a = value.toArray();
    return std::all_of(a.begin(), a.end(), [](const QJsonValue& v) { return v.isDouble(); });
}

bool FitsOnOneLine(const QJsonArray& array)
{
    return std::all_of(array.begin(), array.end(), [](const QJsonValue& v) {
        return v.isDouble() || IsNumberList(v) ||
               (v.isString() && v.toString().size() <= 12 && !v.toString().contains(u'\n'));
    });
}

void Format(const QJsonValue& value, const QStringList& keyOrder, int indent, QByteArray& out)
{
    const QByteArray inner(std::size_t(indent + 2), ' ');
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        QStringList keys = object.keys();
        std::stable_sort(keys.begin(), keys.end(), [&](const QString& a, const QString& b) {
            const qsizetype ia = keyOrder.indexOf(a), ib = keyOrder.indexOf(b);
            return (ia < 0 ? keyOrder.size() : ia) < (ib < 0 ? keyOrder.size() : ib);
        });
        if (keys.isEmpty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (qsizetype i = 0; i < keys.size(); ++i) {
            out += inner + Scalar(keys[i]) + ": ";
            Format(object.value(keys[i]), keyOrder, indent + 2, out);
            out += i + 1 < keys.size() ? ",\n" : "\n";
        }
        out += QByteArray(std::size_t(indent), ' ') + '}';
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        if (array.isEmpty()) {
            out += "[]";
        } else if (FitsOnOneLine(array)) {
            out += '[';
            for (qsizetype i = 0; i < array.size(); ++i) {
                if (i > 0) out += ", ";
                Format(array.at(i), keyOrder, indent, out);
            }
            out += ']';
        } else {
            out += "[\n";
            for (qsizetype i = 0; i < array.size(); ++i) {
                out += inner;
                Format(array.at(i), keyOrder, indent + 2, out);
                out += i + 1 < array.size() ? ",\n" : "\n";
            }
            out += QByteArray(std::size_t(indent), ' ') + ']';
        }
    } else {
        out += Scalar(value);
    }
}

} // namespace

QString CompactJson(const QJsonValue& value)
{
    return QString::fromUtf8(Scalar(value));
}

QByteArray FormatJson(const QJsonValue& value, const QStringList& keyOrder)
{
    QByteArray out;
    Format(value, keyOrder, 0, out);
    out += '\n';
    return out;
}
