#include "ui/about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/window_title.h"

namespace kestrel::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Version"));
  auto* shape = new QFrame(this);
  shape->setFrameShape(QFrame::Box);
  auto* name = new QLabel(ApplicationTitle(), shape);
  auto* version = new QLabel(tr("Version : 1.00"), shape);
  QFont font = name->font();
  font.setPointSizeF(font.pointSizeF() * 1.3);
  font.setBold(true);
  name->setFont(font);
  for (QLabel* label : {name, version}) label->setAlignment(Qt::AlignCenter);
  auto* inside = new QVBoxLayout(shape);
  inside->setContentsMargins(28, 18, 28, 18);
  inside->setSpacing(10);
  inside->addWidget(name);
  inside->addWidget(version);

  auto* ok = new QPushButton(tr("&OK"), this);
  ok->setDefault(true);
  ok->setMinimumWidth(90);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->addWidget(shape);
  layout->addWidget(ok, 0, Qt::AlignCenter);
}

}  // namespace kestrel::ui
