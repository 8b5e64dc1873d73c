#include "DocFixture.h"

#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "components/ComponentFactory.h"
#include "components/Lamp.h"
#include "document/BoardJson.h"

namespace {

class BoardJsonTest : public DocFixture {
protected:
    // Every class, every annotation, a chain with passwords, texts beyond ASCII.
    void FillEverything()
    {
        for (int index = 0; index < kCreationIndexCount; ++index) {
            CComponent* c = Place(index, 100 + 700 * (index % 5), -100 - 500 * (index / 5));
            c->m_nParam4 = 1000 + index;
        }
        doc->LayOutSockets();
        Wire(2, 5);
        Wire(9, 12);
        doc->m_wires.back()->m_points.insert(doc->m_wires.back()->m_points.begin() + 1,
                                             CPoint(800, -900));
        doc->RouteWireEnds();
        doc->m_strBoardTitle = QStringLiteral("Proef: één bord");
        doc->m_strNextBoard = QStringLiteral("praktisch\\proef.ant");
        doc->m_strNextPassword = QStringLiteral("café");
        doc->m_strPrevBoard = QStringLiteral("vorig.wks");
        doc->m_nPermissions = 0x5A;
        auto text = std::make_unique<CTextField>();
        text->m_rect = CRect(130, -100, 900, -300);
        text->m_strText = QStringLiteral("{\\rtf1\\ansi{\\fonttbl}{\\colortbl ;}\r\n\\b Doe\\plain "
                                         " dit\\par \r\nre\\'ebel\\par \r\n}");
        text->m_nFrame = -1;
        doc->m_textFields.push_back(std::move(text));
        auto table = std::make_unique<CTabel>();
        table->m_strData = QStringLiteral("U (V)#I\r\n(mA)#1#");
        table->m_nColumns = 2;
        table->m_nRows = 3;
        table->m_bColumnHeader = 1;
        doc->m_tables.push_back(std::move(table));
        auto picture = std::make_unique<CPlaatje>();
        picture->m_strFileName = QStringLiteral("auto.bmp");
        picture->m_rect = CRect(2000, -400, 0, 0);
        doc->m_pictures.push_back(std::move(picture));
    }

    bool Import(const QByteArray& json, QString& error)
    {
        doc->DeleteContents();
        return ImportBoardJson(json, *doc, error);
    }
};

TEST_F(BoardJsonTest, ImportOfAnExportWritesTheSameBytes)
{
    FillEverything();
    const QByteArray bytes = WriteBoard(*doc);
    const QByteArray json = ExportBoardJson(*doc);
    QString error;
    ASSERT_TRUE(Import(json, error)) << error.toStdString();
    EXPECT_EQ(WriteBoard(*doc), bytes);
    EXPECT_EQ(ExportBoardJson(*doc), json) << "the text form is stable too";

    // Fields by name, in a form that reads as the board does.
    EXPECT_TRUE(json.contains("\"nextPassword\": \"caf\xC3\xA9\"")) << "passwords in plain text";
    EXPECT_TRUE(json.contains("\"class\": \"CLamp\""));
    EXPECT_TRUE(json.contains("\"blackboxLabel\": \"\""));
    EXPECT_TRUE(
        json.contains("\"data\": [\n        \"U (V)#I\\r\\n\",\n        \"(mA)#1#\"\n      ]"))
        << "multi-line texts as one piece per line";
    EXPECT_TRUE(json.contains("\"points\": [[")) << "short lists on one line";
}

TEST_F(BoardJsonTest, AHandWrittenBoardTakesTheDefaultsOfItsClasses)
{
    const QByteArray json = R"({
  "title": "Met de hand",
  "components": [
    {"class": "CToggle", "x": 300, "y": -700, "sockets": [1, 2]},
    {"class": "CLamp", "x": 1100, "y": -700, "sockets": [3, 4]}
  ],
  "wires": [{"from": 2, "to": 3}]
})";
    QString error;
    ASSERT_TRUE(Import(json, error)) << error.toStdString();
    EXPECT_EQ(doc->m_nPermissions, 255);
    ASSERT_EQ(doc->m_components.size(), 2u);
    const auto* lamp = dynamic_cast<CLamp*>(doc->m_components[1].get());
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->m_colourTable, CLamp().m_colourTable);
    EXPECT_EQ(lamp->m_strName, CLamp().m_strName);
    // A wire without points runs straight between the centres of its sockets.
    const CDraad& wire = *doc->m_wires[0];
    ASSERT_EQ(wire.GetPointCount(), 2);
    EXPECT_EQ(wire.GetPoint(0), doc->FindBus(2)->GetCenter());
    EXPECT_EQ(wire.GetPoint(1), doc->FindBus(3)->GetCenter());
    EXPECT_NE(wire.GetPoint(0), CPoint(0, 0));
}

TEST_F(BoardJsonTest, ErrorsNameTheLineAndTheField)
{
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {"{\n  \"title\": \"x\",\n  \"components\": [\n", "regel 4: "},
        {"{\"sockets\": [1 2]}", "regel 1: tussen twee waarden hoort een komma"},
        {"[]", "regel 1: het bestand hoort met { te beginnen"},
        {"{\n\"titel\": \"x\"}", "regel 2, veld titel: onbekend veld"},
        {"{\n\"title\": 5}", "regel 2, veld title: hier hoort een tekst"},
        {"{\"title\": \"\xE2\x82\xAC en \xE2\x86\x92\"}",
         "veld title: het teken '\xE2\x86\x92' (U+2192)"},
        {"{\n\"nextPassword\": \"negenletr\"}",
         "regel 2, veld nextPassword: een wachtwoord heeft hoogstens 8 tekens"},
        {"{\n\"permissions\": 1e300}", "regel 2, veld permissions: hier hoort een getal van 0 tot en met 255"},
        {"{\n\"permissions\": 256}",
         "regel 2, veld permissions: hier hoort een getal van 0 tot en met 255"},
        {"{\"components\": [\n{\"x\": 1, \"sockets\": [1]}]}",
         "regel 2, veld components[0]: het veld class"},
        {"{\"components\": [\n{\"class\": \"CKlok\", \"sockets\": [1]}]}",
         "regel 2, veld components[0].class: onbekende component \"CKlok\""},
        {"{\"components\": [\n{\"class\": \"CLamp\",\n \"sockets\": [1, 2],\n \"parm1\": 3}]}",
         "regel 4, veld components[0].parm1: onbekend veld; hier kunnen staan: x, y, name, "
         "sockets"},
        {"{\"components\": [\n{\"class\": \"CLamp\",\n \"x\": 1.5, \"sockets\": [1, 2]}]}",
         "regel 3, veld components[0].x: hier hoort een geheel getal"},
        {"{\"components\": [\n{\"class\": \"CLamp\",\n \"sockets\": [1]}]}",
         "regel 3, veld components[0].sockets: hier horen 2 getallen, er staan er 1"},
        {"{\"components\": [\n{\"class\": \"CLamp\"}]}",
         "regel 2, veld components[0]: het veld sockets ontbreekt"},
        {"{\"components\": [\n{\"class\": \"CLamp\", \"sockets\": [1, 2],\n\"colours\": "
         "[\"#FF0000\"]}]}",
         "regel 3, veld components[0].colours: hier hoort een lijst van 16 kleuren"},
        {"{\"components\": [\n{\"class\": \"CPulsGenerator\", \"sockets\": [1],\n\"param1\": 99}]}",
         "regel 3, veld components[0].param1: de waarde 99 kan niet; het bord zou 10 lezen"},
        {"{\"components\": [{\"class\": \"CLamp\", \"sockets\": [1, 2]},\n{\"class\": \"CLed\", "
         "\"sockets\": [2, 3]}]}",
         "regel 2, veld components[1].sockets[0]: socketnummer 2 heeft components[0] al"},
        {"{\"components\": [{\"class\": \"CToggle\",\n\"sockets\": [1, 3]}]}",
         "regel 2, veld components[0].sockets[1]: de socketnummers van een component volgen op elkaar: hier hoort 2"},
        {"{\"components\": [{\"class\": \"CLamp\", \"sockets\": [1, 2]}],\n\"wires\": "
         "[\n{\"from\": 7, \"to\": 1}]}",
         "regel 3, veld wires[0].from: geen component heeft socket 7"},
        {"{\"wires\": [\n{\"from\": 1, \"to\": 2,\n\"points\": [[1, 2], [3]]}]}",
         "regel 3, veld wires[0].points[1]: hier horen 2 getallen, er staan er 1"},
        {"{\"tables\": [\n{\"rect\": [1, 2, 3]}]}",
         "regel 2, veld tables[0].rect: hier horen 4 getallen"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(Import(c.json, error)) << c.json;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.message)) ||
                    error.contains(QString::fromUtf8(c.message)))
            << c.json << "\n  gives: " << error.toStdString();
    }
}

} // namespace
