#include "ExerciseAction.h"

#include <QFile>
#include <QRegularExpression>

QString CExerciseAction::ToLine() const
{
    QString line = verb;
    for (int a : args)
        line += u' ' + QString::number(a);
    line += QStringLiteral(" @") + QString::number(answers);
    return line;
}

std::optional<CExerciseAction> CExerciseAction::FromLine(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
        return std::nullopt;
    const QStringList words = trimmed.split(QRegularExpression(QStringLiteral("\\s+")));
    CExerciseAction action;
    action.verb = words.constFirst();
    if (action.verb.isEmpty() || !action.verb.at(0).isLetter())
        return std::nullopt;
    for (qsizetype i = 1; i < words.size(); ++i) {
        bool ok = false;
        if (words[i].startsWith(u'@')) {
            action.answers = words[i].mid(1).toUInt(&ok);
        } else {
            action.args.push_back(words[i].toInt(&ok));
            if (action.args.size() > 16) // no verb has more
                return std::nullopt;
        }
        if (!ok)
            return std::nullopt;
    }
    return action;
}

QString ScriptText(const ActionList& actions, const QStringList& comments)
{
    QString text;
    for (const QString& c : comments)
        text += QStringLiteral("# ") + c + u'\n';
    for (const CExerciseAction& a : actions)
        text += a.ToLine() + u'\n';
    return text;
}

ActionList ParseScript(const QString& text)
{
    ActionList actions;
    for (const QString& line : text.split(u'\n'))
        if (auto action = CExerciseAction::FromLine(line))
            actions.push_back(*action);
    return actions;
}

bool WriteScript(const QString& path, const ActionList& actions, const QStringList& comments)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(ScriptText(actions, comments).toUtf8()) >= 0;
}

std::optional<ActionList> ReadScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseScript(QString::fromUtf8(file.readAll()));
}
