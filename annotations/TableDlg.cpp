#include "TableDlg.h"

#include "components/dialogs/ValidatedField.h"
#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(QWidget* parent, int id, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    return edit;
}

QCheckBox* MakeCheck(QWidget* parent, int id, const QString& text)
{
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QStringLiteral("check%1").arg(id));
    return check;
}

// The editor's line breaks are stored as the platform's carriage return and line feed.
QString StoredData(const QString& edited)
{
    QString data = edited;
    data.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    data.replace(u'\n', QStringLiteral("\r\n"));
    return data;
}

QString EditedData(const QString& stored)
{
    QString data = stored;
    data.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    data.replace(u'\r', u'\n');
    return data;
}

} // namespace

CTableDlg::CTableDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog163"));
    setWindowTitle(QStringLiteral("Aanmaak tabel"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_pData = new QPlainTextEdit(this);
    m_pData->setObjectName(QStringLiteral("edit%1").arg(ID_DATA));
    m_pData->setMinimumSize(360, 180);
    m_pColumns = MakeEdit(this, ID_COLUMNS);
    m_pRows = MakeEdit(this, ID_ROWS);
    m_pSeparator = MakeEdit(this, ID_SEPARATOR);
    m_pSeparator->setMaxLength(1);
    for (QLineEdit* edit : {m_pColumns, m_pRows, m_pSeparator})
        edit->setMaximumWidth(60);
    m_pHeader = MakeCheck(this, ID_HEADER, QStringLiteral("Kop"));
    m_pRowHeader = MakeCheck(this, ID_ROW_HEADER, QStringLiteral("Rij"));
    m_pFixed = MakeCheck(this, ID_FIXED, QStringLiteral("Vast"));

    auto* ok = MakeButton(this, ID_OK, QStringLiteral("OK"));
    auto* cancel = MakeButton(this, ID_ANNULEER, QStringLiteral("&Annuleer"));
    auto* clear = MakeButton(this, ID_LEEG, QStringLiteral("&Leeg"));
    auto* wis = MakeButton(this, ID_WIS, QStringLiteral("&Wis"));
    ok->setDefault(false); // return starts a new line in the data

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Kolommen"), m_pColumns);
    fields->addRow(QStringLiteral("Regels"), m_pRows);
    fields->addRow(QStringLiteral("Scheider"), m_pSeparator);
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_pHeader);
    checks->addWidget(m_pRowHeader);
    checks->addWidget(m_pFixed);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(12);
    buttons->addLayout(fields);
    buttons->addLayout(checks);
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(wis);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pData, 0, 0);
    layout->addLayout(buttons, 0, 1);

    connect(ok, &QPushButton::clicked, this, &CTableDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CTableDlg::reject);
    connect(wis, &QPushButton::clicked, this, [this] { done(ID_WIS); });
    connect(clear, &QPushButton::clicked, this, &CTableDlg::Clear);
}

int CTableDlg::Run()
{
    m_pData->setPlainText(EditedData(m_contents.data));
    m_pColumns->setText(QString::number(m_contents.columns));
    m_pRows->setText(QString::number(m_contents.rows));
    m_pSeparator->setText(m_contents.separator.left(1));
    m_pHeader->setChecked(m_contents.columnHeader != 0);
    m_pRowHeader->setChecked(m_contents.rowHeader != 0);
    m_pFixed->setChecked(m_contents.fixed != 0);
    m_pData->selectAll();
    m_pData->setFocus();
    return RunModal(*this);
}

void CTableDlg::accept()
{
    // Field order: columns, then rows.
    if (!CheckInteger(*m_pColumns, 1, CTabel::kMaxColumns) || !CheckInteger(*m_pRows, 1, CTabel::kMaxRows))
        return;
    m_contents.data = StoredData(m_pData->toPlainText());
    m_contents.columns = *ParseInteger(m_pColumns->text());
    m_contents.rows = *ParseInteger(m_pRows->text());
    m_contents.separator = m_pSeparator->text().left(1);
    m_contents.columnHeader = m_pHeader->isChecked() ? 1 : 0;
    m_contents.rowHeader = m_pRowHeader->isChecked() ? 1 : 0;
    m_contents.fixed = m_pFixed->isChecked() ? 1 : 0;
    done(ID_OK);
}

void CTableDlg::reject()
{
    done(ID_ANNULEER);
}

void CTableDlg::Clear()
{
    m_pData->selectAll();
    m_pData->textCursor().removeSelectedText();
    m_pData->setFocus();
}
