#pragma once
// The fields of each stored record by name, in file order, and the conversion of a
// record's bytes to and from a JSON object. The bytes come from (and go to) the
// object's own Serialize, so the text form can never disagree with the file.

#include "core/BoardObject.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <vector>

enum class FieldKind {
    Int,     // int32
    Text,    // string; in JSON a text, or a list of texts that are joined
    Rect,    // four int32: [left, top, right, bottom]
    Colour,  // uint32 with red lowest: "#RRGGBB"
    Sockets, // one int32 per socket of the class
    Colours, // sixteen colours
    Points,  // a count, then that many [x, y]
};

struct RecordField {
    const char* name;
    FieldKind kind;
};

struct RecordLayout {
    std::vector<RecordField> fields; // empty for a class without a known record
    int socketCount = 0;
};

// The record of the object's class.
RecordLayout RecordLayoutOf(const CBoardObject& object);

// The bytes of the object's record, as a file holds them.
QByteArray RecordBytes(CBoardObject& object);

// The record's fields by name; false when the bytes do not hold the whole record.
bool DecodeRecord(const QByteArray& record, const RecordLayout& layout, QJsonObject& into);

// A field that a JSON value cannot be written as: its name and why.
struct FieldProblem {
    QString field; // a path below the record ("sockets[2]"), empty for the record
    QString reason;
};

// Writes the fields of the object in file order. Fields absent from the object must
// be given in defaults.
bool EncodeRecord(const QJsonObject& values, const RecordLayout& layout, QByteArray& record,
                  FieldProblem& problem);

// The JSON form of a stored text: one text, or, when it holds line feeds, a list of
// the pieces after each of which a line feed ends.
QJsonValue TextToJson(const QString& text);
// The stored text of a JSON value given as TextToJson writes it; false when the value
// is no text or holds a character a board file cannot (code page 1252).
bool TextFromJson(const QJsonValue& value, QString& text, QString& reason);

// Every field name, in the order they are best read in.
const QStringList& BoardJsonKeyOrder();
