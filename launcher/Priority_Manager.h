// The priority of keywords: the order of the items in a keyword folder (row 0
// is offered first). TPriorityManager moves keywords up that the user runs,
// moves a keyword one place down when the user takes its completion back with
// Backspace at once, and with blocking on lets a keyword that was completed
// often defend its place against a lower one matching the same typed text.
// Its state lives in the item keys PriorityHP and ComplementedWord.
//
// The Backspace cancel needs the first key pressed after a completion. Two
// sources feed it the same way (KeyEvent): a system-wide journal-record hook,
// and, because current Windows refuses journal hooks and Wine runs them only
// in part, the input box's own key-down handler (BoxKeyDown). Whichever sees
// the key first ends the window; the other then finds nothing to do.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "completion/String_Match.h"

class TKeyWordManager;
class TKeyWordX;

// Where the key events after a completion come from: a hook that calls the
// manager's KeyEvent until Stop.
class IPriorityKeySource {
 public:
  virtual ~IPriorityKeySource() = default;
  // False when the source cannot be started (the box's key-downs then serve).
  virtual bool Start(class TPriorityManager& target) = 0;
  virtual void Stop() = 0;
  virtual bool Started() const = 0;
};

// The journal-record hook (WH_JOURNALRECORD over all threads). One hook per
// process: starting it for one manager ends it for another.
class TJournalKeySource : public IPriorityKeySource {
 public:
  ~TJournalKeySource() override;
  bool Start(TPriorityManager& target) override;
  void Stop() override;
  bool Started() const override { return hook_ != nullptr; }

 private:
  HHOOK hook_ = nullptr;
};

class TPriorityManager {
 public:
  explicit TPriorityManager(TKeyWordManager* keywords);
  ~TPriorityManager();
  TPriorityManager(const TPriorityManager&) = delete;
  TPriorityManager& operator=(const TPriorityManager&) = delete;

  // Ceiling of PriorityHP.
  int MaxHP = 10;
  // True: RaisePriority moves by a number of places; false: by a percentage
  // of the folder's size.
  bool ByCount = true;
  bool EnablePriorityBlock = false;
  bool EnableBackSpaceCancel = false;
  // How long after a completion a Backspace still takes it back (ms).
  int BackSpaceWindow = 700;
  // How many typed texts ComplementedWord keeps.
  int ComplementedWordMemory = 4;

  // Seams: the clock (the tick count of completions and of box key-downs) and
  // the key hook. Defaults: GetTickCount and the journal-record hook.
  std::function<DWORD()> TickCount;
  void SetKeySource(IPriorityKeySource* source);  // not owned; nullptr: the journal hook

  TKeyWordManager* KeyWords() const { return keywords_; }
  // The store is replaced when the launcher reloads it (not owned).
  void SetKeyWords(TKeyWordManager* keywords) { keywords_ = keywords; }

  // Raises the item (and first its folder item, up the tree) by n places or n
  // percent. Returns the item's index afterwards, -1 for no item.
  int RaisePriority(TKeyWordX* item, int n);
  // After a completion to item from typed: arms the Backspace cancel, and
  // with blocking remembers typed and adds a point. Returns PriorityHP.
  int Complemented(TKeyWordX* item, const std::string& typed);

  // The first key after a completion: Backspace without modifiers takes the
  // completion back (within BackSpaceWindow of it); any other key, and
  // Backspace with Shift, Ctrl, Alt or the Windows key, ends the window.
  // time is the key's tick count.
  void KeyEvent(WORD key, bool modifierDown, DWORD time);
  // The input box's key-down handler calls this before the key acts; the
  // modifiers are read from the key state and the time from TickCount.
  void BoxKeyDown(WORD key);
  // A completion waits for its first key.
  bool BackSpaceArmed() const { return armed_; }
  bool HookStarted() const;

  void DoBackSpaceCancel();
  void StartHook();
  void StopHook();
  bool CanUpPriority(TKeyWordX* item);
  bool IsNotBlocked(TKeyWordX* item, TKeyWordX* above);
  int StepUp(TKeyWordX* item);
  int DecreaseHP(TKeyWordX* item, int n);
  void AddComplementedWord(TKeyWordX* item, const std::string& typed);

 private:
  int RaiseOne(TKeyWordX* item, int n, int depth);

  TKeyWordManager* keywords_;
  TStringMatch match_;
  TJournalKeySource journal_;
  IPriorityKeySource* source_ = &journal_;
  bool armed_ = false;
  // The completion that a Backspace would take back.
  DWORD completedTick_ = 0;
  DWORD lastKeyTime_ = 0;
  int completedIndex_ = -1;
  std::string completedPath_;
};
