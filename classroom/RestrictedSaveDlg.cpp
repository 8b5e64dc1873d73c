#include "RestrictedSaveDlg.h"

#include "DialogParts.h"
#include "document/Document.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CRestrictedSaveDlg::CRestrictedSaveDlg(const QString& name, QWidget* parent)
    : QDialog(parent), m_pEdit(MakeEdit(1098, kMaxLength, false, false))
{
    setWindowTitle(QStringLiteral("Opslaan als..."));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : {"De beveiliging is zo ingesteld dat alleen de naam van",
                             "het bestand gewijzigd mag worden. De map mag dus",
                             "niet veranderen. Tik hier de nieuwe bestandsnaam in:"}) {
        auto* label = new QLabel(QString::fromUtf8(line));
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    // A longer title is shown whole: cut, it would save under another name unnoticed.
    m_pEdit->setMaxLength(std::max<int>(kMaxLength, int(name.size())));
    m_pEdit->setText(name);
    m_pEdit->selectAll();
    layout->addWidget(m_pEdit);
    layout->addLayout(OkCancelRow(*this));
    FixDialogFrame(*this);
    m_pEdit->setFocus();
}

QString CRestrictedSaveDlg::Name() const
{
    return m_pEdit->text();
}

bool NamesAFolder(const QString& name)
{
    return name.contains(u':') || name.contains(u'\\') || name.contains(u'/');
}

QString AskRestrictedSaveName(CVeldtrakDoc& doc)
{
    const QString root = FileSystemPath(doc.m_strFolderRoot);
    QDir::setCurrent(root);
    QDir::setCurrent(FileSystemPath(doc.m_strFolderOutput)); // stays put when it is missing
    QString name;
    do {
        CRestrictedSaveDlg dialog(doc.GetTitle(), QApplication::activeWindow());
        name = RunModal(dialog) == QDialog::Accepted ? dialog.Name() : QString();
    } while (NamesAFolder(name));
    // Relative names (help file, pictures, worksheet folders) are the program folder's.
    QDir::setCurrent(root);
    return name;
}
