#include "components/dialogs/BlackboxDlg.h"
#include "components/dialogs/FrequencyDlg.h"
#include "components/dialogs/LampColoursDlg.h"
#include "components/dialogs/RelayDlg.h"
#include "components/dialogs/SensitivityDlg.h"
#include "components/dialogs/ThresholdDlg.h"
#include "components/dialogs/VoltageDlg.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <functional>
#include <memory>

namespace {

// The labels of a shown dialog whose text runs into a control beside them.
QStringList CrowdedLabels(QDialog& dialog)
{
    QStringList crowded;
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect own = label->geometry();
        const int textRight = own.left() + label->fontMetrics().horizontalAdvance(label->text());
        for (QWidget* other : controls) {
            const QRect r = other->geometry();
            if (other != label && r.left() > own.left() && r.top() < own.bottom() &&
                r.bottom() > own.top() && textRight > r.left())
                crowded << QStringLiteral("%1 (ends at %2, next control at %3, stretch %4)")
                               .arg(label->text()).arg(textRight).arg(r.left())
                               .arg(label->font().stretch());
        }
    }
    return crowded;
}

TEST(DialogLayoutTest, NoLabelRunsIntoItsField)
{
    const std::function<std::unique_ptr<CPropertyDialog>()> dialogs[] = {
        [] { return std::make_unique<CThresholdDlg>(QStringLiteral("Transistor"), 255); },
        [] { return std::make_unique<CRelayDlg>(QStringLiteral("Relais"), 255); },
        [] { return std::make_unique<CVoltageDlg>(QStringLiteral("Var.spanning"), 255); },
        [] { return std::make_unique<CFrequencyDlg>(QStringLiteral("Pulsgenerator"), 255); },
        [] { return std::make_unique<CSensitivityDlg>(QStringLiteral("Lichtsensor"), 255); },
        [] { return std::make_unique<CLampColoursDlg>(QStringLiteral("Lamp"), 255); },
        [] { return std::make_unique<CBlackboxDlg>(QStringLiteral("EN-poort"), 255); },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<CPropertyDialog> dialog = make();
        ScriptedModals user;
        QStringList crowded;
        user.Then([&](QDialog& shown) {
            crowded = CrowdedLabels(shown);
            if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
                shown.grab().save(folder + u'/' + shown.windowTitle() + QStringLiteral("-dialog.png"));
            return 2;
        });
        dialog->Run();
        EXPECT_TRUE(crowded.isEmpty()) << dialog->windowTitle().toStdString() << ": "
                                       << crowded.join(u'|').toStdString();
    }
}

} // namespace
