#include "ui/user_guide.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/window_title.h"

namespace kestrel::ui {

QString UserGuideText() {
  QFile file(QStringLiteral(":/guide/user_guide.md"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

UserGuideDialog::UserGuideDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("User Guide") + QStringLiteral(" - ") + ApplicationTitle());
  setModal(false);
  browser_ = new QTextBrowser(this);
  browser_->setAccessibleName(tr("User Guide"));
  browser_->setOpenExternalLinks(true);
  browser_->setMarkdown(UserGuideText());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(720, 600);
}

UserGuideDialog* ShowUserGuide(QWidget* from) {
  QWidget* owner = from->window();
  auto* guide = owner->findChild<UserGuideDialog*>(QString(), Qt::FindDirectChildrenOnly);
  if (!guide) {
    guide = new UserGuideDialog(owner);
    guide->setAttribute(Qt::WA_DeleteOnClose);
  }
  guide->show();
  guide->raise();
  guide->activateWindow();
  return guide;
}

}  // namespace kestrel::ui
