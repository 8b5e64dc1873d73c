#include "CommandLine.h"

#include <QRegularExpression>

std::vector<CCommandLineOption> ParseCommandLine(const QStringList& arguments)
{
    // A name of letters after the slash, then a colon or nothing: "/home/juf/bord.wks"
    // is a board, not an option "home".
    static const QRegularExpression option(QStringLiteral("^/([A-Za-z]+)(:|$)"));
    std::vector<CCommandLineOption> options;
    for (const QString& argument : arguments) {
        QString text = argument;
        text.remove(u'"');
        text = text.trimmed();
        if (text.isEmpty())
            continue;
        if (const QRegularExpressionMatch m = option.match(text); m.hasMatch()) {
            const bool hasValue = !m.captured(2).isEmpty();
            options.push_back({m.captured(1), text.mid(m.capturedEnd()).trimmed(), hasValue});
        } else if (!options.empty() && (options.back().hasValue || options.back().name.isEmpty())) {
            CCommandLineOption& last = options.back();
            last.value = last.value.isEmpty() ? text : last.value + u' ' + text;
        } else {
            options.push_back({QString(), text, false});
        }
    }
    return options;
}

QString GetCommandLineOption(const QStringList& arguments, const QString& key)
{
    for (const CCommandLineOption& o : ParseCommandLine(arguments))
        if (!o.name.isEmpty() && o.name.compare(key, Qt::CaseInsensitive) == 0)
            return o.value;
    return {};
}

bool HasCommandLineOption(const QStringList& arguments, const QString& key)
{
    for (const CCommandLineOption& o : ParseCommandLine(arguments))
        if (!o.name.isEmpty() && o.name.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
