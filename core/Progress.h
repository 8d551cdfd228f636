#pragma once
// The progress the core reports during long work. The windows' progress windows
// implement these interfaces; the core never touches a window itself. Every call also
// gives the windows a chance to keep the program alive (process pending events).

#include <QString>

namespace fw {

// The one-bar progress window.
class IProgress {
public:
  virtual ~IProgress() = default;
  // Shows the window with a caption (the work being done).
  virtual void ShowProgress(const QString& caption) = 0;
  virtual void StartProgress(int total, int position) = 0;
  virtual void StepProgress() = 0;
  virtual void HideProgress() = 0;
  // The whole percent the bar shows.
  virtual int Percent() const = 0;
};

// The two-bar progress window: an outer bar over the parts of the work and an inner
// bar over the current part.
class ITwoBarProgress {
public:
  virtual ~ITwoBarProgress() = default;
  virtual void ShowProgress() = 0;
  virtual void InitFirst(int total) = 0;
  virtual void InitSecond(int total) = 0;
  virtual void IncFirst() = 0;
  virtual void IncSecond() = 0;
  virtual void HideProgress() = 0;
};

// The batch check's progress with its pause and stop: the check asks Paused and
// Cancelled after every pump of the messages, so the window that implements it must
// outlive the check it is handed to.
class ICheckProgress {
public:
  virtual ~ICheckProgress() = default;
  virtual void StartCheckProgress(int total, int position) = 0;
  // One record done; cheap, for it is called for every record (the window shows the
  // step when messages are next pumped).
  virtual void StepCheckProgress() = 0;
  virtual bool Paused() const = 0;
  virtual bool Cancelled() const = 0;
  // Handles the messages that are pending (clicks, timer ticks, painting) and returns.
  virtual void ProcessMessages() = 0;
  // Handles pending messages, first waiting until there is at least one: what the
  // check does while paused, so that it waits without using the processor.
  virtual void WaitForMessages() = 0;
};

// Shows the one-bar progress window with a caption and hides it again when the work
// ends, however it ends.
class TProgressShown {
public:
  TProgressShown(IProgress& progress, const QString& caption) : progress_(progress) { progress_.ShowProgress(caption); }
  ~TProgressShown() { progress_.HideProgress(); }
  TProgressShown(const TProgressShown&) = delete;
  TProgressShown& operator=(const TProgressShown&) = delete;

private:
  IProgress& progress_;
};

// The same for the two-bar window: its first bar is started over `total` parts, the
// window shown, and hidden again when the work ends, however it ends.
class TTwoBarProgressShown {
public:
  TTwoBarProgressShown(ITwoBarProgress& progress, int total) : progress_(progress) {
    progress_.InitFirst(total);
    progress_.ShowProgress();
  }
  ~TTwoBarProgressShown() { progress_.HideProgress(); }
  TTwoBarProgressShown(const TTwoBarProgressShown&) = delete;
  TTwoBarProgressShown& operator=(const TTwoBarProgressShown&) = delete;

private:
  ITwoBarProgress& progress_;
};

// Progress that goes nowhere, for work run without a window (tests, tools).
class TSilentProgress : public IProgress, public ITwoBarProgress, public ICheckProgress {
public:
  void StartCheckProgress(int, int) override {}
  void StepCheckProgress() override {}
  bool Paused() const override { return false; }
  bool Cancelled() const override { return false; }
  void ProcessMessages() override {}
  void WaitForMessages() override {}
  void ShowProgress(const QString&) override {}
  void StartProgress(int, int) override {}
  void StepProgress() override {}
  int Percent() const override { return 0; }
  void ShowProgress() override {}
  void InitFirst(int) override {}
  void InitSecond(int) override {}
  void IncFirst() override {}
  void IncSecond() override {}
  void HideProgress() override {}
};

} // namespace fw
