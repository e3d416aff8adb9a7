// A progress bar as the core sees it: store operations and device loops move it and let the
// user interface catch up, without knowing which widget (if any) shows it.
#pragma once

class IProgress {
 public:
  virtual ~IProgress() = default;
  virtual void SetRange(int minimum, int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // Redraws the bar now (a long controller exchange follows).
  virtual void Repaint() = 0;
  // Lets pending window messages run between two controller commands.
  virtual void ProcessMessages() = 0;
};

// Shows nothing; for callers without a progress bar.
class TNoProgress : public IProgress {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void Repaint() override {}
  void ProcessMessages() override {}
};
