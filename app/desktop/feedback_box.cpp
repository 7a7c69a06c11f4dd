// The feedback dialog as a Qt dialog, and the presenter that shows it.
#include "app/desktop/feedback_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/desktop/qt_platform.h"

namespace trf::desktop {
namespace {

constexpr int32_t kQuestion = 0;
constexpr int32_t kHardRule = 1;

QStyle::StandardPixmap KindIcon(int32_t rule_type) {
  if (rule_type == kQuestion) return QStyle::SP_MessageBoxQuestion;
  if (rule_type == kHardRule) return QStyle::SP_MessageBoxCritical;
  return QStyle::SP_MessageBoxInformation;
}

QLabel* WrappedLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(name);
  return label;
}

}  // namespace

QString KindHeading(int32_t rule_type) {
  if (rule_type == kQuestion) return QObject::tr("Question");
  if (rule_type == kHardRule) return QObject::tr("Error");
  return QObject::tr("Notice");
}

FeedbackBox::FeedbackBox(const FeedbackShowing& showing, const QIcon& icon, QWidget* parent) : QDialog(parent) {
  setObjectName("feedbackBox");
  setModal(true);
  const QString caption = showing.caption.empty() ? QStringLiteral("TRF") : QString::fromStdString(showing.caption);
  setWindowTitle(caption);
  const QIcon kind_icon = style()->standardIcon(KindIcon(showing.rule_type));
  setWindowIcon(icon.isNull() ? kind_icon : icon);
  setAccessibleName(caption);

  auto* picture = new QLabel(this);
  picture->setPixmap(kind_icon.pixmap(48, 48));
  picture->setAlignment(Qt::AlignTop);
  picture->setAccessibleName(KindHeading(showing.rule_type));

  auto* heading = WrappedLabel(
      QStringLiteral("<b>%1</b> &middot; rule %2").arg(KindHeading(showing.rule_type)).arg(showing.rule_number),
      "heading", this);
  auto* message = WrappedLabel(QString::fromStdString(showing.message), "message", this);
  QFont larger = message->font();
  larger.setPointSizeF(larger.pointSizeF() * 1.1);
  message->setFont(larger);

  auto* texts = new QVBoxLayout;
  texts->addWidget(heading);
  texts->addWidget(message);
  if (!showing.detail.empty()) texts->addWidget(WrappedLabel(QString::fromStdString(showing.detail), "detail", this));
  texts->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(picture);
  body->addLayout(texts, 1);

  const bool question = showing.rule_type == kQuestion;
  auto* buttons = new QDialogButtonBox(
      question ? QDialogButtonBox::Yes | QDialogButtonBox::No : QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok),
      this);
  buttons->setObjectName("answers");
  QPushButton* accept = buttons->button(question ? QDialogButtonBox::Yes : QDialogButtonBox::Ok);
  accept->setDefault(true);
  accept->setAccessibleName(accept->text().remove('&'));
  if (question) buttons->button(QDialogButtonBox::No)->setAccessibleName(tr("No"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  setMinimumWidth(420);
  setMaximumWidth(640);
}

FeedbackPresenter MakeDesktopPresenter(std::function<QIcon()> icon) {
  return [icon = std::move(icon)](const FeedbackShowing& showing) -> std::string {
    FeedbackBox box(showing, icon(), DialogParent());
    const bool accepted = box.exec() == QDialog::Accepted;
    // Only a question can be declined; a notice closed with Escape has been read all the same.
    return accepted || showing.rule_type != kQuestion ? "0" : "1";
  };
}

}  // namespace trf::desktop
