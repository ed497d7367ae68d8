#pragma once
// The two modem-control lines that key a transmitter, as the keying code sees them.
// TComPort drives real lines; tests drive a recording fake.

class TSerialLines {
 public:
  virtual ~TSerialLines() = default;
  virtual bool Connected() const = 0;
  // Raise (true) or drop (false) the line at once on the open port; EComPort on refusal.
  virtual void SetDTR(bool OnOff) = 0;
  virtual void SetRTS(bool OnOff) = 0;
};
