#pragma once
// Progress of one transfer with the unit, told by the thread that runs it.
//
// Contract: Start(total) once, after the connection stands and before the
// first block; then Step(done) after each block that is finished, with done
// rising from 1 to total; then exactly one of Done() (every block went
// through) or Failed() (the transfer ended early: time-out, cancel). A
// transfer that never connected calls none of them.
class TransferProgress {
 public:
  virtual ~TransferProgress() = default;
  virtual void Start(int total) = 0;
  virtual void Step(int done) = 0;
  virtual void Done() = 0;
  virtual void Failed() = 0;
};

class NoProgress : public TransferProgress {
 public:
  void Start(int) override {}
  void Step(int) override {}
  void Done() override {}
  void Failed() override {}
};
