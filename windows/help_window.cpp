#include "windows/help_window.h"
#include "ui/form_layout.h"

#include "ui/fonts.h"
#include "ui/own_colours.h"
#include "ui/twips.h"
#include "ui/built_in_picture.h"
#include "core/files/safe_file_reader.h"
#include "core/help/rtf_reader.h"
#include "ui/rtf_text_document_builder.h"

#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QTextEdit>

namespace {

const QString IconPath = QStringLiteral(":/icons/help-32.png");

} // namespace

HelpWindow::HelpWindow(const QString& documentPath, QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Hopnix Help"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (QFile::exists(IconPath))
        setWindowIcon(QIcon(BuiltInPicture::load(IconPath)));
    setFixedSize(Twips::size(5040, 4290));
    setModal(true);

    textBox = new QTextEdit(this);
    textBox->setObjectName(QStringLiteral("textBox"));
    textBox->setGeometry(Twips::rect(120, 120, 4812, 3372));
    textBox->setReadOnly(true);
    textBox->setFont(Fonts::timesNewRoman(7.5));
    // The document's coloured headings are chosen for a white page, whatever the desktop's colours.
    OwnColours::setWhitePage(*textBox);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(Twips::rect(2040, 3720, 972, 372));
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    FormLayout::centreOnScreen(*this);

    loadDocument(documentPath);
}

void HelpWindow::loadDocument(const QString& path)
{
    const SafeFileReader::Result file = SafeFileReader::read(path, MaxDocumentBytes);
    if (file.bytes.isEmpty())
        return;
    // Of a file past the limit, the start is shown.
    RtfTextDocumentBuilder::build(RtfReader::read(file.bytes.left(MaxDocumentBytes)), *textBox->document());
    // The page opens at its top, not where the building left the cursor.
    textBox->moveCursor(QTextCursor::Start);
}
