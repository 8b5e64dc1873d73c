#include "ScriptedModals.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

ScriptedModals::ScriptedModals()
{
    m_previous = SetModalHandler([this](QDialog& dialog) {
        ++m_nOpened;
        m_titles << dialog.windowTitle();
        m_texts << LabelTexts(dialog);
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog \"" << dialog.windowTitle().toStdString()
                          << "\": " << LabelTexts(dialog).join(u'|').toStdString();
            return 2;
        }
        auto step = std::move(m_steps.front());
        m_steps.pop_front();
        return step(dialog);
    });
}

ScriptedModals::~ScriptedModals()
{
    SetModalHandler(std::move(m_previous));
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog(s) never opened";
}

ScriptedModals& ScriptedModals::Answer(int result)
{
    return Then([result](QDialog&) { return result; });
}

ScriptedModals& ScriptedModals::Then(std::function<int(QDialog&)> step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

QStringList ScriptedModals::LabelTexts(QDialog& dialog)
{
    QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    std::stable_sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) {
        return a->mapTo(a->window(), QPoint(0, 0)).y() < b->mapTo(b->window(), QPoint(0, 0)).y();
    });
    QStringList texts;
    for (QLabel* label : labels)
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

ScriptedModals& ScriptedModals::PrintToPdf(const QString& pdf)
{
    return Then([pdf](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr) << "the print dialog was expected";
        if (!print)
            return int(QDialog::Rejected);
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
}
