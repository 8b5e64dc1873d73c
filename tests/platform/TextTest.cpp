#include "platform/CodePage.h"
#include "platform/Strings.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageTest, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
    EXPECT_EQ(FromCp1252(QByteArray("\x80\xE9\x9F")), QStringLiteral("€éŸ"));
    EXPECT_EQ(ToCp1252(QStringLiteral("日")), QByteArray("?"));
}

TEST(StringsTest, TableTextsAsTheUserSeesThem)
{
    EXPECT_EQ(LoadString(61612), QStringLiteral("Waarschuwing"));
    EXPECT_EQ(LoadString(61644), QStringLiteral("Bestand bestaat al.  Overschrijven?"));
    EXPECT_EQ(LoadString(61488), QStringLiteral("help\\Veldtrak400.htm"));
    EXPECT_EQ(LoadString(57634), QStringLiteral("Reset de meting\nReset"));
    EXPECT_EQ(LoadString(61482), QStringLiteral(" 0.0 V")) << "leading blanks are kept";
    EXPECT_EQ(LoadString(12345), QString());
}

} // namespace
