// No two items of one menu share an underlined letter, so Alt and a letter always reach
// one command. The clashes listed here are in the menu texts the program has always
// had, which worksheets' own instructions quote; new items must pick free letters.
#include "AppFixture.h"

#include <QMenu>
#include <QMenuBar>

#include <map>
#include <set>
#include <utility>

namespace {

// The letter after a single '&' (lower case), or a null character.
QChar Mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i; // a literal ampersand
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Menu title and letter of every clash the given menu texts have.
const std::set<std::pair<QString, QChar>> kKnownClashes = {
    {"&Bestand", u'a'}, // "Opslaan &Als..." and "&Afsluiten"
    {"B&ord", u't'},    // "Wis &tekstvelden" and "Aanbrengen &tekstveld"
    {"B&ord", u'a'},    // "Wis t&abellen" and "Aanbrengen t&abel"
    {"B&ord", u'f'},    // "Wis &foto's" and "Aanbrengen &foto"
    {"B&ord", u'b'},    // "Identificeer &blackboxes" and "Stel &beveiliging in"
    {"B&eeld", u'z'},   // "In&zoomen" and "Uit&zoomen", as they were asked for
};

using MenuMnemonicTest = AppFixture;

TEST_F(MenuMnemonicTest, NoTwoItemsOfAMenuShareAMnemonicBeyondTheKnownClashes)
{
    Start();
    const QString bar = QStringLiteral("menubalk");
    std::map<std::pair<QString, QChar>, QStringList> owners;
    std::set<std::pair<QString, QChar>> seen;
    for (QAction* title : Frame()->menuBar()->actions()) {
        owners[{bar, Mnemonic(title->text())}] << title->text();
        ASSERT_NE(title->menu(), nullptr);
        for (QAction* item : title->menu()->actions())
            if (!item->isSeparator() && !Mnemonic(item->text()).isNull())
                owners[{title->text(), Mnemonic(item->text())}] << item->text();
    }
    for (const auto& [key, items] : owners) {
        if (items.size() < 2)
            continue;
        seen.insert(key);
        EXPECT_TRUE(kKnownClashes.count(key))
            << key.first.toStdString() << ": " << items.join(QStringLiteral(", ")).toStdString();
    }
    for (const auto& known : kKnownClashes)
        EXPECT_TRUE(seen.count(known)) << "listed but gone: " << known.first.toStdString() << " "
                                       << QString(known.second).toStdString();
}

} // namespace
