#include "ui/transfer_dialog.h"

#include <gtest/gtest.h>

#include <optional>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "model/defaults.h"
#include "ui/failure_texts.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using Kind = TransferDialog::Kind;

struct TransferDialogTest : ::testing::Test {
  TransferDialog::JobFactory Jobs(Kind kind) {
    return [this, kind](bool verify) {
      const auto port = link::PortChoice::Number(1);
      return kind == Kind::kRead ? jobs.ReadJob(port, {}, {})
                                 : jobs.ProgramJob(port, {}, {}, verify);
    };
  }
  testing::RecordingFeedback feedback;
  testing::FakeRadioJobs jobs;
};

bool RunOnce(TransferDialog& dialog) {
  return testing::RunTransfer(&dialog) != nullptr;
}

bool AllButtonsEnabled(const TransferDialog& dialog, bool enabled) {
  return dialog.OkButton()->isEnabled() == enabled &&
         dialog.CancelButton()->isEnabled() == enabled &&
         dialog.HelpButton()->isEnabled() == enabled;
}

// Each kind's prompt and what its success says; a read's next OK closes the dialog.
TEST_F(TransferDialogTest, EachKindPromptsRunsOnOkAndSaysItCompleted) {
  jobs.read_outcome.record = NewConfiguration();
  jobs.read_outcome.record->SetMode[0] = 7;
  const std::tuple<Kind, const char*, const char*, const char*> kinds[] = {
      {Kind::kRead, "Read Data from the Receiver",
       "1. Connect the Program cable.\n\n2. Reading data will start when you select[OK].",
       "Completed reading out."},
      {Kind::kProgram, "Write Data to the Receiver",
       "1. Connect the Program cable.\n\n2. Writing data will start when you select [OK].",
       "Completed writing.\nWrite another radio?"}};
  for (const auto& [kind, title, prompt, completed] : kinds) {
    TransferDialog dialog(kind, Jobs(kind), nullptr);
    EXPECT_EQ(dialog.windowTitle(), title);
    EXPECT_EQ(dialog.MessageLabel()->text(), prompt);
    EXPECT_EQ(dialog.VerifyBox() != nullptr, kind == Kind::kProgram);
    dialog.open();
    ASSERT_TRUE(RunOnce(dialog)) << title;
    EXPECT_EQ(dialog.MessageLabel()->text(), completed);
    EXPECT_EQ(dialog.ProgressBar()->value(), dialog.ProgressBar()->maximum());
    if (kind == Kind::kRead) {
      ASSERT_TRUE(dialog.SucceededRead().has_value());
      EXPECT_EQ(dialog.SucceededRead()->record->SetMode[0], 7);
      QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(jobs.ports.size(), 1);  // the second OK read nothing
    }
  }
  EXPECT_EQ(jobs.verified, std::vector<bool>{false}) << "Verify unticked";
}

TEST_F(TransferDialogTest, ABusyDialogAsksBeforeItClosesAndAFailureBringsThePromptBack) {
  jobs.read_outcome = testing::Failure(2);
  jobs.late_reply = true;
  std::latch gate(1);
  jobs.gate = &gate;
  TransferDialog dialog(Kind::kRead, Jobs(Kind::kRead), nullptr);
  dialog.open();
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.MessageLabel()->text(), "Reading data.");

  // The worker's progress reaches the bar through the event loop, while the job still runs.
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.ProgressBar()->value() == 16; }, 5000));
  EXPECT_EQ(dialog.ProgressBar()->maximum(), 32);
  EXPECT_EQ(dialog.TimeLeftLabel()->text(), "43 s left, waiting for the receiver");
  EXPECT_FALSE(dialog.OkButton()->isEnabled() || dialog.HelpButton()->isEnabled());
  EXPECT_TRUE(dialog.CancelButton()->isEnabled());
  // The close box, Esc and a plain close ask whether to cancel; the answer here is no.
  EXPECT_FALSE(dialog.close());
  dialog.reject();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(feedback.questions,
            QStringList(3, QStringLiteral("The transfer is still running. Cancel it?")));
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);  // disabled: no second job
  EXPECT_EQ(jobs.ports.size(), 1);

  gate.count_down();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000));
  EXPECT_EQ(feedback.warnings,
            QStringList{"Warning|Failed to read out.\nTry again.\n\nno answer to the handshake"});
  EXPECT_EQ(dialog.MessageLabel()->text(), TransferDialog::ReadPrompt());
  EXPECT_EQ(dialog.ProgressBar()->value(), 0);
  EXPECT_EQ(dialog.TimeLeftLabel()->text(), "");
  EXPECT_TRUE(AllButtonsEnabled(dialog, true));

  // The user may try again.
  jobs.read_outcome = TransferOutcome{};
  jobs.read_outcome.record = RadioConfig{};
  ASSERT_TRUE(RunOnce(dialog));
  EXPECT_TRUE(dialog.SucceededRead().has_value());
  EXPECT_TRUE(dialog.close());
}

TEST_F(TransferDialogTest, ProgrammingPassesVerify) {
  TransferDialog dialog(Kind::kProgram, Jobs(Kind::kProgram), nullptr);
  dialog.open();
  dialog.VerifyBox()->setChecked(true);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.VerifyBox()->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000));
  EXPECT_EQ(jobs.verified, std::vector<bool>{true});
  EXPECT_EQ(dialog.MessageLabel()->text(),
            "Completed writing.\nVerified: the receiver holds what was written.\nWrite another "
            "radio?");
  QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
}

// CANCEL, or a yes to the question that closing asks, stops the job; the dialog says what the
// job left and stays open.
TEST_F(TransferDialogTest, CancellingSaysWhatTheTransferLeft) {
  jobs.read_outcome.record = RadioConfig{};
  for (const bool by_closing : {true, false}) {
    std::latch gate(1);
    jobs.gate = &gate;
    jobs.cancelled_detail = by_closing ? "Reading cancelled. Nothing was changed." : "Partly.";
    const Kind kind = by_closing ? Kind::kRead : Kind::kProgram;
    TransferDialog dialog(kind, Jobs(kind), nullptr);
    dialog.open();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    if (by_closing) {
      feedback.answers = {QMessageBox::Yes};
      EXPECT_FALSE(dialog.close());
    } else {
      QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    }
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
    EXPECT_EQ(dialog.TimeLeftLabel()->text(), "Cancelling after the command under way.");
    gate.count_down();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000));
    EXPECT_EQ(dialog.MessageLabel()->text(), QString::fromStdString(jobs.cancelled_detail));
    EXPECT_TRUE(feedback.warnings.isEmpty());
    EXPECT_FALSE(dialog.SucceededRead().has_value());
    EXPECT_TRUE(AllButtonsEnabled(dialog, true));
    EXPECT_TRUE(dialog.isVisible());
  }
}

// A failure's box gives the cause and its fix in the window's words; Retry runs the same transfer
// on the same port again, OK leaves the prompt.
TEST_F(TransferDialogTest, AFailureSaysWhyAndRetryRunsItAgain) {
  jobs.read_outcome.status =
      std::unexpected(link::LinkFailure{link::LinkResult::kReadFailed,
                                        "The receiver did not answer the handshake.",
                                        link::FailureCause::kNoAnswer,
                                        {.port = "/dev/ttyUSB0"}});
  feedback.retries = {true};
  TransferDialog dialog(Kind::kRead, Jobs(Kind::kRead), nullptr);
  dialog.open();
  ASSERT_TRUE(RunOnce(dialog));
  EXPECT_EQ(jobs.ports, QStringList({"1", "1"}));
  ASSERT_EQ(feedback.warnings.size(), 2);
  EXPECT_EQ(feedback.warnings[0],
            "Warning|Failed to read out.\nTry again.\n\nThe receiver did not answer the "
            "handshake.\n\nThe receiver on /dev/ttyUSB0 did not answer.\nCheck that it is "
            "switched on, that the cable is plugged into its data socket, and that /dev/ttyUSB0 is "
            "the port the cable is on (choose it in COM > Port). No serial port exists now.");
  // A port's row (Program Several Receivers) shows the same words on one line.
  EXPECT_EQ(FailureLine(jobs.read_outcome.status.error()),
            feedback.warnings[0].section('|', 1).replace("\n\n", " ").replace('\n', ' '));
  EXPECT_EQ(dialog.MessageLabel()->text(), TransferDialog::ReadPrompt());
  EXPECT_TRUE(AllButtonsEnabled(dialog, true));
}

TEST(TransferFailedBox, ItsTextCanBeCopiedAndRetryIsBesideOk) {
  QWidget parent;
  parent.show();
  Feedback platform;
  std::optional<bool> retry;
  platform.TransferFailed(&parent, "Warning", "Failed to read out.", [&](bool r) { retry = r; });
  auto* box = parent.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
  ASSERT_NE(box->button(QMessageBox::Ok), nullptr);
  box->button(QMessageBox::Retry)->click();
  EXPECT_EQ(retry, true);
}

}  // namespace
}  // namespace kestrel::ui
