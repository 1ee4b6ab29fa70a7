#include "window/dialogs/guide.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "window/main/menu_texts.h"

namespace kov {

Guide::Guide(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Guida"));
  setWindowTitle(menu_text::kGuideTitle);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* text = new QTextBrowser;
  text->setObjectName(QStringLiteral("testo"));
  text->setOpenExternalLinks(true);
  text->setSource(QUrl(QStringLiteral("qrc:/guida/guida.html")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(QSize(720, 560).boundedTo(screen()->availableGeometry().size()));
  text->setFocus();
}

}  // namespace kov
