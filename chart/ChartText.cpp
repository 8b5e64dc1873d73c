#include "ChartText.h"

#include "core/Component.h"
#include "platform/Strings.h"

#include <cstdlib>

namespace {

// Hundredths with the given number of decimals (0 to 2), truncated: 135 gives "1,35",
// "1,3" or "1".
QString Decimal(long long hundredths, int decimals)
{
    const bool negative = hundredths < 0;
    const long long magnitude = std::llabs(hundredths);
    QString text = QString::number(magnitude / 100);
    if (decimals > 0) {
        const QString rest = QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
        text += u',' + rest.left(decimals);
    }
    return negative ? u'-' + text : text;
}

} // namespace

QString LevelText(int hundredths)
{
    return Decimal(hundredths, 2) + QStringLiteral(" V");
}

QString TickTimeText(long long tick)
{
    return Decimal(tick * 5, 2) + QStringLiteral(" s"); // 0,05 s is five hundredths
}

QString AxisTimeText(long long tick, long long stepTicks)
{
    const long long stepHundredths = stepTicks * 5;
    const int decimals = stepHundredths % 100 == 0 ? 0 : stepHundredths % 10 == 0 ? 1 : 2;
    return Decimal(tick * 5, decimals) + QStringLiteral(" s");
}

QString ProbeName(int number)
{
    return LoadString(TYPE_SONDE) + u' ' + QString::number(number);
}
