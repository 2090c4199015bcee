#include "windows/help_frm.h"
#include "app/form_layout.h"

#include "app/fonts.h"
#include "app/twips.h"
#include "core/files/safe_file_reader.h"
#include "windows/rtf_reader.h"
#include "windows/rtf_text_document_builder.h"

#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QTextEdit>

namespace {

const QString IconPath = QStringLiteral(":/icons/help-32.png");

} // namespace

HelpFrm::HelpFrm(const QString& documentPath, QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("HelpFrm"));
    setWindowTitle(tr("Hopnix Help"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (QFile::exists(IconPath))
        setWindowIcon(QIcon(IconPath));
    setFixedSize(Twips::size(5040, 4290));
    setModal(true);

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(Twips::rect(120, 120, 4812, 3372));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setFont(Fonts::timesNewRoman(7.5));

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(2040, 3720, 972, 372));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    FormLayout::centreOnScreen(*this);

    loadDocument(documentPath);
}

void HelpFrm::loadDocument(const QString& path)
{
    const SafeFileReader::Result file = SafeFileReader::read(path, MaxDocumentBytes);
    if (file.bytes.isEmpty())
        return;
    // Of a file past the limit, the start is shown.
    RtfTextDocumentBuilder::build(RtfReader::read(file.bytes.left(MaxDocumentBytes)), *RichTextBox1->document());
    // The page opens at its top, not where the building left the cursor.
    RichTextBox1->moveCursor(QTextCursor::Start);
}
