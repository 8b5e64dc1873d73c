#include "ValidatedField.h"

#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kAppTitleId = 57344;

QString Between(const char* what, const QString& min, const QString& max)
{
    return QStringLiteral("Please enter %1 between %2 and %3.")
        .arg(QLatin1String(what), min, max);
}

QString Limit(float value)
{
    return QString::number(value, 'g', 6);
}

// The framework's message: a warning icon, the text and OK, under the program's title.
void ShowMessage(QWidget* parent, const QString& text)
{
    QDialog box(parent);
    box.setObjectName(QStringLiteral("validationMessage"));
    box.setWindowTitle(LoadString(kAppTitleId));
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(&box);
    const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(box.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize));
    auto* message = new QLabel(text, &box);
    message->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);

    const int gap = box.fontMetrics().averageCharWidth() * 2;
    auto* body = new QHBoxLayout;
    body->setSpacing(gap);
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addWidget(message, 1, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(gap);
    layout->addLayout(body);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    RunModal(box);
}

} // namespace

std::optional<int> ParseInteger(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<unsigned> ParseUnsigned(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'-') || trimmed.startsWith(u'+'))
        return std::nullopt;
    bool ok = false;
    const unsigned value = trimmed.toUInt(&ok, 10);
    return ok ? std::optional<unsigned>(value) : std::nullopt;
}

std::optional<float> ParseNumber(const QString& text)
{
    bool ok = false;
    const float value = text.trimmed().replace(u',', u'.').toFloat(&ok);
    return ok && std::isfinite(value) ? std::optional<float>(value) : std::nullopt;
}

QString NumberText(float value)
{
    return QString::number(value, 'g', 6).replace(u'.', u',');
}

bool CheckInteger(QLineEdit& field, int min, int max)
{
    const std::optional<int> value = ParseInteger(field.text());
    if (!value) {
        RefuseField(field, QStringLiteral("Please enter an integer."));
        return false;
    }
    if (*value < min || *value > max) {
        RefuseField(field, Between("an integer", QString::number(min), QString::number(max)));
        return false;
    }
    return true;
}

bool CheckUnsigned(QLineEdit& field, unsigned min, unsigned max)
{
    const std::optional<unsigned> value = ParseUnsigned(field.text());
    if (!value) {
        RefuseField(field, QStringLiteral("Please enter a positive integer."));
        return false;
    }
    if (*value < min || *value > max) {
        RefuseField(field, Between("an integer", QString::number(min), QString::number(max)));
        return false;
    }
    return true;
}

bool CheckNumber(QLineEdit& field, float min, float max)
{
    const std::optional<float> value = ParseNumber(field.text());
    if (!value) {
        RefuseField(field, QStringLiteral("Please enter a number."));
        return false;
    }
    if (*value < min || *value > max) {
        RefuseField(field, Between("a number", Limit(min), Limit(max)));
        return false;
    }
    return true;
}

bool CheckMaxChars(QLineEdit& field, int maxChars)
{
    if (field.text().size() > maxChars) {
        RefuseField(field,
                    QStringLiteral("Please enter no more than %1 characters.").arg(maxChars));
        return false;
    }
    return true;
}

void RefuseField(QLineEdit& field, const QString& message)
{
    ShowMessage(field.window(), message);
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
}
