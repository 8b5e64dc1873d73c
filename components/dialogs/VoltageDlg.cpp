#include "VoltageDlg.h"

#include "ValidatedField.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

constexpr int kMaxChars = 4;
constexpr int kMaxSetting = 50;

// The number at the start of the text, as the C library reads one; 0 when there is none.
// The program's locale has no say in it.
double LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        return 0.0; // from_chars would take a second sign
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error != std::errc())
        return 0.0;
    return negative ? -value : value;
}

} // namespace

CVoltageDlg::CVoltageDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(199, name, permissions, parent)
{
    AddStatic(QStringLiteral("Spanning (0,00 - 5,00):"), 7, 53);
    m_pVoltage = AddEdit(1021, 83, 51, 22, 12);
    AddStatic(QStringLiteral("Volt"), 109, 53);
    SetInitialFocus(m_pVoltage);
}

bool CVoltageDlg::Validate()
{
    return CheckMaxChars(*m_pVoltage, kMaxChars);
}

void CVoltageDlg::LoadControls()
{
    m_pVoltage->setText(m_strVoltage);
}

void CVoltageDlg::SaveControls()
{
    m_strVoltage = m_pVoltage->text();
}

std::optional<int> SettingFromVoltageText(const QString& text)
{
    const QByteArray bytes = text.toLatin1().replace(',', '.');
    const double volts =
        LeadingNumber(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    const double tenths = std::trunc(volts * 10.0);
    // Also false for a text that reads as infinity or not-a-number.
    if (!(tenths >= 0.0 && tenths <= kMaxSetting))
        return std::nullopt;
    return int(tenths);
}

int EditVoltageSetting(const QString& name, int permissions, int& setting)
{
    CVoltageDlg dlg(name, permissions);
    dlg.m_strVoltage = QString::asprintf("%3.2f", setting * 0.1);
    const int result = dlg.Run();
    if (result == CPropertyDialog::ID_OK)
        if (const std::optional<int> typed = SettingFromVoltageText(dlg.m_strVoltage))
            setting = *typed;
    return result;
}
