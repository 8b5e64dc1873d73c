#include "StartDialog.h"

#include "WorksheetLibrary.h"
#include "document/Document.h"
#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr int kAppTitleId = 57344;
constexpr int kNoEntry = -1;

const QString kAllCategories = QStringLiteral("Alle categorieën");
const QString kEmptyBoard = QStringLiteral("  === Leeg bord ===");

QLabel* AddLabel(QBoxLayout* layout, const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    return label;
}

QComboBox* MakeList(const QString& objectName)
{
    auto* list = new QComboBox;
    list->setObjectName(objectName);
    list->setEditable(false);
    // Long titles must not stretch the dialog off the screen.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(30);
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return list;
}

} // namespace

CStartDialog::CStartDialog(const QStringList& entries, QWidget* parent)
    : QDialog(parent), m_entries(entries), m_pCategories(MakeList(QStringLiteral("combo1078"))),
      m_pTitles(MakeList(QStringLiteral("combo1077")))
{
    setWindowTitle(LoadString(kAppTitleId));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    AddLabel(layout,
             QStringLiteral("Selecteer hieronder een categorie werkbladen, en vervolgens een "
                            "werkblad-titel."));
    AddLabel(layout, QStringLiteral("Eventueel kan je ook direct een werkblad selecteren uit de "
                                    "onderste lijst van titels."));
    layout->addSpacing(fontMetrics().height() / 2);

    auto* categoryRow = new QHBoxLayout;
    AddLabel(categoryRow, QStringLiteral("Selecteer een categorie:"));
    categoryRow->addWidget(m_pCategories, 1);
    layout->addLayout(categoryRow);
    layout->addSpacing(fontMetrics().height() / 2);

    AddLabel(layout, QStringLiteral("In de geselecteerde categorie zijn de volgende "
                                    "werkblad-titels gedefinieerd:"));
    layout->addWidget(m_pTitles);
    layout->addSpacing(fontMetrics().height() / 2);
    AddLabel(layout,
             QStringLiteral("Selecteer de titel waarmee je wilt gaan werken, en druk op OK."));

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    layout->addLayout(buttonRow);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    for (const QString& entry : m_entries) {
        const QString category = EntryCategory(entry);
        if (!m_categories.contains(category)) m_categories << category;
    }
    m_pCategories->addItem(kAllCategories);
    m_pCategories->addItems(m_categories);
    connect(m_pCategories, &QComboBox::currentIndexChanged, this, &CStartDialog::FillLists);
    FillLists(0);
    setFixedSize(sizeHint());
}

void CStartDialog::FillLists(int categoryPosition)
{
    const QString category =
        categoryPosition > 0 ? m_categories.value(categoryPosition - 1) : QString();
    std::vector<int> shown;
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (categoryPosition <= 0 || EntryCategory(m_entries[i]) == category)
            shown.push_back(int(i));

    // Titles sorted as the system's sorted lists sort them: alphabetically and blind
    // to case. That differs from the library's byte order, so each item keeps the
    // library index of its entry.
    QCollator collator{QLocale(QLocale::Dutch, QLocale::Netherlands)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
        return collator.compare(EntryTitle(m_entries[a]), EntryTitle(m_entries[b])) < 0;
    });

    m_pTitles->clear();
    m_pTitles->addItem(kEmptyBoard, kNoEntry); // always first, even before an empty title
    for (int i : shown)
        m_pTitles->addItem(EntryTitle(m_entries[i]), i);
    m_pTitles->setCurrentIndex(0);
}

int CStartDialog::ChosenEntry() const
{
    return m_pTitles->currentIndex() < 0 ? kNoEntry : m_pTitles->currentData().toInt();
}

QString CStartDialog::ChooseWorksheet(const QStringList& entries, const QStringList& paths,
                                      QWidget* parent)
{
    CStartDialog dialog(entries, parent);
    if (RunModal(dialog) != QDialog::Accepted) return {};
    return paths.value(dialog.ChosenEntry());
}

void InstallStartDialog(CVeldtrakDoc& doc)
{
    doc.m_pickWorksheet = [&doc] {
        return CStartDialog::ChooseWorksheet(doc.m_libraryEntries, doc.m_libraryPaths,
                                             QApplication::activeWindow());
    };
}
