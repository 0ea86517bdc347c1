// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress of one transfer with the unit, told by the thread that runs it.
//
// Contract: Start(total) once, after the connection stands and before the
// first block; at most once, right after the first block, Retotal(total)
// when that block told how many the transfer really needs; Step(done) after
// each block that is finished, with done rising from 1 to the total; then
// exactly one of Done() (every block went through) or Failed() (the
// transfer ended early: time-out, cancel). A transfer that never connected
// calls none of them.
class TransferProgress {
 public:
  virtual ~TransferProgress() = default;
  virtual void Start(int total) = 0;
  // The transfer needs `total` blocks after all; the pace so far stands.
  virtual void Retotal(int total) = 0;
  virtual void Step(int done) = 0;
  virtual void Done() = 0;
  virtual void Failed() = 0;
};

class NoProgress : public TransferProgress {
 public:
  void Start(int) override {}
  void Retotal(int) override {}
  void Step(int) override {}
  void Done() override {}
  void Failed() override {}
};
