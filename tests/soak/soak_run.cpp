#include "soak_run.h"

#include <optional>

#include "engine/int_conversion.h"
#include "engine/stages.h"
#include "soak_checks.h"

namespace glamora::soak {

namespace {

// Keeps the inputs as a glamora-sim script, with the waits between them, so a
// failing session can be replayed and dumped.
class ScriptRecorder final : public InputRecorder {
 public:
  std::string script;
  void input(std::int64_t t, std::string_view line) override {
    if (t > last_) script += "wait " + std::to_string(t - last_) + "\n";
    last_ = t;
    script += std::string(line) + "\n";
  }
  void roundEnded(const RoundRecord&) override {}
  void finish(std::int64_t t) {
    if (t > last_) script += "wait " + std::to_string(t - last_) + "\n";
    script += "dump\n";
  }

 private:
  std::int64_t last_ = 0;
};

// Texts a person might type into the editor's boxes: good ones, and ones the
// editor's check refuses (empty, no number, out of range, hexadecimal).
constexpr const char* kGridTexts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "", "x", "-", "$", "５", "12"};
constexpr const char* kNormTexts[] = {"1500", "300", "2400", "1", "99999", "0", "-99", "$FFFF", "12a", "", "150000"};
constexpr const char* kTimeTexts[] = {"95", "30", "5", "2", "1", "99", "0", "-9", "$F", "x", ""};
constexpr char32_t kKeys[] = {U'a', U'A', U's', U'S', U'd', U'D', U'4', U'5', U'6', U'x', U'7', U' ', U'ｓ'};

class SoakSession {
 public:
  SoakSession(std::uint64_t seed, SoakTotals& totals) : random_(seed), totals_(totals) {
    watch_[0].screen = "battle";
    watch_[1].screen = "training";
    watch_[0].failures = watch_[1].failures = &checker_.failureList();
    watch_[0].view = &session_.battleView;
    watch_[1].view = &session_.trainingView;
    session_.battleView.watch(&watch_[0]);
    session_.trainingView.watch(&watch_[1]);
    session_.setRecorder(&recorder_);
  }

  void run(int rounds) {
    while (checker_.roundsStarted() < rounds && ok()) playRound();
    totals_.rounds += checker_.roundsStarted();
    totals_.dialogs += effects_.dialogs[0] + effects_.dialogs[1] + effects_.dialogs[2] + effects_.dialogs[3];
    totals_.errorBoxes += effects_.errors;
    if (!ok()) {
      recorder_.finish(session_.clock.now());
      totals_.failedScript = recorder_.script;
      totals_.failures = checker_.failures();
    }
  }

 private:
  bool ok() const { return checker_.failures().empty(); }
  bool chance(int perMille) { return random_.below(1000) < perMille; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[random_.below(static_cast<int>(N))];
  }
  const RoundFlags& flags() const {
    return mode_ == Mode::Battle ? session_.battle.state.flags : session_.training.state.flags;
  }
  int sides() const { return mode_ == Mode::Battle ? 2 : 1; }

  void input() {
    ++totals_.inputs;
    checker_.check();
  }

  void tick() {
    session_.clock.advance(100);
    ++totals_.ticks;
    checker_.check();
  }

  // Who plays each side: the computer at a random level, or a person whose
  // keys are random.
  void choosePlayers() {
    for (int p = 0; p < sides(); ++p) {
      std::optional<ComputerLevel> level;
      if (chance(800)) level = static_cast<ComputerLevel>(random_.below(4));
      session_.computer(mode_, p, level, random_.next() % 100000);
      person_[p] = !level;
      input();
    }
  }

  void switchScreen() {
    // The game goes through the title screen; glamora-sim may change screens
    // with a round still running on the one left behind.
    if (chance(800)) leave();
    mode_ = mode_ == Mode::Battle ? Mode::Training : Mode::Battle;
  }

  void leave() {
    session_.leave(mode_);
    ++totals_.inputs;
    checker_.left(mode_);
  }

  void typeIntoEditor() {
    const int boxes = 1 + random_.below(4);
    for (int k = 0; k < boxes; ++k) {
      const int which = random_.below(kColumns * kSlots + 8);
      if (which < kColumns * kSlots) {
        session_.editorType({EditorBox::Grid, which / kSlots + 1, which % kSlots + 1}, pick(kGridTexts));
      } else if (which % 2 == 0) {
        session_.editorType({EditorBox::Norm}, pick(kNormTexts));
      } else {
        session_.editorType({EditorBox::MirrorTime}, pick(kTimeTexts));
      }
    }
    // The editor only closes with good texts; mostly the person mends them.
    if (!session_.editorClose(false).empty() && chance(750)) mendEditor();
    input();
  }

  void mendEditor() {
    auto mend = [&](const EditorBox& box, const char* good) {
      const auto value = parseInteger(session_.editor.text(box));
      if (!value || *value < box.minValue() || *value > box.maxValue()) session_.editorType(box, good);
    };
    for (int c = 1; c <= kColumns; ++c) {
      for (int s = 1; s <= kSlots; ++s) mend({EditorBox::Grid, c, s}, kGridTexts[random_.below(9)]);
    }
    mend({EditorBox::Norm}, "1500");
    mend({EditorBox::MirrorTime}, "95");
    session_.editorClose(false);
  }

  void chooseStage() {
    int n = 1 + random_.below(kOriginalStage);
    if (mode_ == Mode::Training && chance(850)) {
      // Mostly an item that can be chosen.
      const auto& enabled = session_.training.state.enabled;
      do n = 1 + random_.below(kOriginalStage);
      while (!enabled[n - 1]);
    }
    const int errorsBefore = effects_.errors;
    const bool accepted = session_.stage(mode_, n);
    ++totals_.inputs;
    checker_.stageChosen(mode_, n, accepted, effects_.errors != errorsBefore);
  }

  // Something a person does besides the players' keys.
  void menuCommand() {
    switch (random_.below(6)) {
      case 0:
        session_.music(mode_, chance(500));
        input();
        break;
      case 1:
        session_.voices(mode_, chance(500));
        input();
        break;
      case 2:
        session_.character(chance(500) ? Character::Elna : Character::Mirabe);
        input();
        break;
      case 3: typeIntoEditor(); break;
      case 4: chooseStage(); break;
      case 5: choosePlayers(); break;
    }
  }

  void personKey() {
    session_.key(mode_, pick(kKeys));
    input();
  }

  // Sets a round up, plays it until its result or a random moment, and leaves
  // it behind now and then.
  void playRound() {
    if (chance(250)) switchScreen();
    if (chance(300) || checker_.roundsStarted() == 0) choosePlayers();
    while (chance(300)) menuCommand();
    const int before = checker_.roundsStarted();
    chooseStage();
    if (checker_.roundsStarted() == before) return;  // a disabled item or a box that did not convert

    // Most rounds run to their end; some are cut short.
    const int budget = chance(700) ? 6000 : 10 + random_.below(600);
    const bool anyPerson = person_[0] || (sides() == 2 && person_[1]);
    for (int k = 0; k < budget && flags().roundActive && ok(); ++k) {
      if (anyPerson && chance(300)) personKey();
      else if (chance(3)) personKey();  // keys of the side the computer plays are ignored
      if (chance(2)) menuCommand();
      if (chance(1)) leave();
      if (chance(1)) switchScreen();
      tick();
    }
    // Let the delivery and pending switches play out before the next round.
    for (int k = random_.below(8); k > 0 && ok(); --k) tick();
    if (flags().roundActive && chance(500)) leave();
  }

  ComputerRandom random_;
  SoakTotals& totals_;
  CountingEffects effects_;
  Session session_{effects_};
  InvariantChecker checker_{session_, effects_};
  BoardWatch watch_[2];
  ScriptRecorder recorder_;
  Mode mode_ = Mode::Battle;
  bool person_[2] = {false, false};
};

}  // namespace

void runSession(std::uint64_t seed, int rounds, SoakTotals& totals) {
  SoakSession session(seed, totals);
  session.run(rounds);
}

SoakTotals runSoak(std::uint64_t seed, int rounds, int perSession, int part, int parts) {
  SoakTotals totals;
  const int sessions = (rounds + perSession - 1) / perSession;
  for (int k = 0; k < sessions; ++k) {
    if (k % parts != part) continue;
    const int these = std::min(perSession, rounds - k * perSession);
    runSession(seed + static_cast<std::uint64_t>(k), these, totals);
    if (!totals.failures.empty()) {
      totals.failures.insert(totals.failures.begin(), "session seed " + std::to_string(seed + k));
      break;
    }
  }
  return totals;
}

}  // namespace glamora::soak
