// The scripted user interface that every dialog-flow test relies on: answers taken in order,
// everything shown recorded, a clear failure for an answer the script does not hold.
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/picture.h"

namespace kavrina::ui {
namespace {

using Lines = std::vector<std::string>;

// Asks for a year the way the calculation does: the input box, then the program's own
// range check.
std::optional<int> askYear(UserInterface& ui) {
  auto text = ui.inputBox("Unos", "Obracunska godina:", "2022", "9999", 50);
  if (!text) return std::nullopt;
  const int year = text->empty() ? 0 : std::stoi(*text);
  if (year < 2004 || year > 2025) {
    ui.messageBox("Pogresan unos.", MessageKind::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  return year;
}

// Reads `records` rows under a progress box, stopping when it is cancelled.
int readRows(UserInterface& ui, int records) {
  auto progress =
      ui.showProgress("Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...", 1, records);
  int rows = 0;
  while (rows < records) {
    ++rows;
    progress->setPosition(rows);
    ui.processEvents();
    if (progress->cancelled()) break;
  }
  return rows;
}

TEST(ScriptedUi, YesNoAnswersComeInScriptOrder) {
  ScriptedUi ui;
  ui.yes().no();
  EXPECT_EQ(ui.messageBox("Prvo?", MessageKind::Confirmation, MessageButtons::YesNo), Answer::Yes);
  EXPECT_EQ(ui.messageBox("Drugo?", MessageKind::Warning, MessageButtons::YesNo), Answer::No);
  EXPECT_EQ(static_cast<int>(Answer::Yes), 6);
  EXPECT_EQ(static_cast<int>(Answer::No), 7);
  EXPECT_EQ(ui.transcript(), (Lines{"confirmation: Prvo? -> Yes", "warning: Drugo? -> No"}));
  EXPECT_EQ(ui.unusedAnswers(), 0u);
}

TEST(ScriptedUi, OkBoxesAreAcknowledgedWithoutTakingAnAnswer) {
  ScriptedUi ui;
  ui.yes();
  EXPECT_EQ(ui.messageBox("Obracun je zavrsen.", MessageKind::Information, MessageButtons::Ok),
            Answer::Ok);
  EXPECT_EQ(ui.unusedAnswers(), 1u);
  const auto& event = ui.events().at(0);
  EXPECT_EQ(event.kind, MessageKind::Information);
  EXPECT_EQ(event.buttons, MessageButtons::Ok);
  EXPECT_EQ(ui.messages(), Lines{"Obracun je zavrsen."});
}

TEST(ScriptedUi, UnscriptedQuestionsFailClearly) {
  {
    ScriptedUi ui;
    ui.messageBox("Shown first", MessageKind::Warning, MessageButtons::Ok);
    try {
      ui.messageBox("Sigurno brisete SVA Kavrina ?", MessageKind::Confirmation,
                    MessageButtons::YesNo);
      FAIL() << "no ScriptError";
    } catch (const ScriptError& error) {
      const std::string what = error.what();
      EXPECT_NE(what.find("\"Sigurno brisete SVA Kavrina ?\""), std::string::npos) << what;
      EXPECT_NE(what.find("no scripted answer is left"), std::string::npos) << what;
      EXPECT_NE(what.find("warning: Shown first"), std::string::npos) << what;
    }
  }
  {
    ScriptedUi ui;
    ui.type("2023");
    try {
      ui.messageBox("Moze li?", MessageKind::Confirmation, MessageButtons::YesNo);
      FAIL() << "no ScriptError";
    } catch (const ScriptError& error) {
      EXPECT_NE(std::string(error.what()).find("type(\"2023\")"), std::string::npos);
    }
    EXPECT_EQ(ui.unusedAnswers(), 1u);
  }
  {
    ScriptedUi ui;
    ui.yes();
    EXPECT_THROW(ui.inputBox("Unos", "Konto:", "0", "9999999999", 80), ScriptError);
    EXPECT_EQ(ui.unusedAnswers(), 1u);
  }
  {
    ScriptedUi ui;
    EXPECT_THROW(ui.inputBox("Unos", "Konto:", "0", "9999999999", 80), ScriptError);
  }
}

TEST(ScriptedUi, InputBoxRecordsWhatWasAskedAndReturnsThePictureValue) {
  ScriptedUi ui;
  ui.type(" 12");
  EXPECT_EQ(ui.inputBox("Unos", "Org.deo (lokacija):", "0", "999", 50), "12");
  ASSERT_EQ(ui.events().size(), 1u);
  const auto& event = ui.events()[0];
  EXPECT_EQ(event.type, ScriptedUi::EventType::Input);
  EXPECT_EQ(event.caption, "Unos");
  EXPECT_EQ(event.text, "Org.deo (lokacija):");
  EXPECT_EQ(event.value, "0");
  EXPECT_EQ(event.picture, "999");
  EXPECT_EQ(event.widthPixels, 50);
  EXPECT_EQ(event.typed, " 12");
}

TEST(ScriptedUi, InvalidInputIsAnsweredWithPogresanUnosAndAskedAgain) {
  ScriptedUi ui;
  ui.type("20a3").type("31.02.2023").type("2023");
  EXPECT_EQ(askYear(ui), 2023);
  EXPECT_EQ(ui.transcript(),
            (Lines{"input Unos / Obracunska godina: -> 20a3", "error: Pogresan unos.",
                   "input Unos / Obracunska godina: -> 31.02.2023", "error: Pogresan unos.",
                   "input Unos / Obracunska godina: -> 2023"}));
}

TEST(ScriptedUi, InvalidDateIsAskedAgainAndTheEmptyDateGoesThrough) {
  ScriptedUi ui;
  ui.type("31.02.2023").type("  .  .    ");
  EXPECT_EQ(ui.inputBox("Unos", "Datum Otpisa:", "15.03.2023", kDatePicture, 80), "");
  EXPECT_EQ(ui.messages(), Lines{"Pogresan unos."});
}

TEST(ScriptedUi, CancelAnswersNoValueEvenAfterARefusal) {
  ScriptedUi ui;
  ui.cancel();
  EXPECT_EQ(askYear(ui), std::nullopt);
  ui.type("x").cancel();
  EXPECT_EQ(askYear(ui), std::nullopt);
  EXPECT_EQ(ui.transcript(), (Lines{"input Unos / Obracunska godina: -> cancel",
                                    "input Unos / Obracunska godina: -> x", "error: Pogresan unos.",
                                    "input Unos / Obracunska godina: -> cancel"}));
}

TEST(ScriptedUi, UnsupportedPictureRaisesBeforeTakingAnAnswer) {
  ScriptedUi ui;
  ui.type("1");
  EXPECT_THROW(ui.inputBox("Unos", "Iznos:", "0", "999.99", 50), std::invalid_argument);
  EXPECT_EQ(ui.unusedAnswers(), 1u);
}

TEST(ScriptedUi, WaitNoticeClosesWhenItsOwnerLeavesByAnException) {
  ScriptedUi ui;
  auto work = [&] {
    auto wait = ui.showWait("Obracun u toku. Molim sacekajte...");
    EXPECT_EQ(ui.openWaitNotices(), 1);
    throw std::runtime_error("failed half way");
  };
  EXPECT_THROW(work(), std::runtime_error);
  EXPECT_EQ(ui.openWaitNotices(), 0);
  EXPECT_EQ(ui.transcript(), (Lines{"wait: Obracun u toku. Molim sacekajte...",
                                    "wait closed: Obracun u toku. Molim sacekajte..."}));
}

TEST(ScriptedUi, ProgressBoxRunsToTheEndWithoutACancel) {
  ScriptedUi ui;
  EXPECT_EQ(readRows(ui, 10), 10);
  EXPECT_EQ(ui.processEventsCount(), 10);
  EXPECT_EQ(ui.openProgressBoxes(), 0);
  EXPECT_EQ(ui.transcript(),
            (Lines{"progress 1..10: Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...",
                   "progress closed at 10: Ucitava se Spisak Osnovnih Sredstava. Molim "
                   "sacekajte..."}));
}

TEST(ScriptedUi, ProgressBoxCancelledAtAPosition) {
  ScriptedUi ui;
  ui.cancelProgressAt(4);
  EXPECT_EQ(readRows(ui, 10), 4);
  const auto& closed = ui.events().back();
  EXPECT_EQ(closed.type, ScriptedUi::EventType::ProgressClosed);
  EXPECT_EQ(closed.position, 4);
  EXPECT_TRUE(closed.cancelled);
  // The cancel applies to that box only.
  EXPECT_EQ(readRows(ui, 10), 10);
}

TEST(ScriptedUi, ProgressBoxCancelledFromTheEventHook) {
  ScriptedUi ui;
  ui.setOnProcessEvents([&](int pass) {
    if (pass == 7) ui.cancelOpenProgress();
  });
  EXPECT_EQ(readRows(ui, 100), 7);
  EXPECT_EQ(ui.transcript().back(),
            "progress closed at 7, cancelled: Ucitava se Spisak Osnovnih Sredstava. Molim "
            "sacekajte...");
}

}  // namespace
}  // namespace kavrina::ui
