#include "session_snapshot.h"

#include <algorithm>

namespace glamora {

void SessionSnapshot::takeScreen(const RoundScreen& screen, Screen& into) {
  into.computers = screen.computers_;
  into.roundsStarted = screen.roundsStarted_;
  into.computerSeed = screen.computerSeed;
  into.bgmOff = screen.sound.bgmOff;
  into.seOff = screen.sound.seOff;
}

void SessionSnapshot::restoreScreen(const Screen& from, RoundScreen& screen) {
  screen.computers_ = from.computers;
  screen.roundsStarted_ = from.roundsStarted;
  screen.computerSeed = from.computerSeed;
  screen.sound.bgmOff = from.bgmOff;
  screen.sound.seOff = from.seOff;
}

void SessionSnapshot::take(const Session& session) {
  now = session.clock.now();
  session.clock.dueTimes(TaskOwner::Battle, battleDue);
  session.clock.dueTimes(TaskOwner::Training, trainingDue);
  editor = session.editor;
  battleView = session.battleView.model();
  trainingView = session.trainingView.model();
  battle = session.battle.state;
  battlePlayers = {session.battle.player(0).state, session.battle.player(1).state};
  training = session.training.state;
  trainingPlayer = session.training.player().state;
  takeScreen(session.battle, screens[0]);
  takeScreen(session.training, screens[1]);
  roundsStarted = session.roundsStarted_;
  current = session.current_;
  recordedMode = session.recordedMode_;
  recordedEditor.assign(session.recordedEditor_.begin(), session.recordedEditor_.end());
}

void SessionSnapshot::restore(Session& session) const {
  session.clock.restoreDueTimes(TaskOwner::Battle, now, battleDue);
  session.clock.restoreDueTimes(TaskOwner::Training, now, trainingDue);
  session.editor = editor;
  session.battleView.restore(battleView);
  session.trainingView.restore(trainingView);
  session.battle.state = battle;
  session.battle.player(0).state = battlePlayers[0];
  session.battle.player(1).state = battlePlayers[1];
  session.training.state = training;
  session.training.player().state = trainingPlayer;
  restoreScreen(screens[0], session.battle);
  restoreScreen(screens[1], session.training);
  session.roundsStarted_ = roundsStarted;
  session.current_ = current;
  session.recordedMode_ = recordedMode;
  std::copy_n(recordedEditor.begin(), std::min(recordedEditor.size(), session.recordedEditor_.size()),
              session.recordedEditor_.begin());
}

}  // namespace glamora
