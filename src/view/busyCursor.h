#pragma once
// The hourglass for the length of a scope: long work sets it and the normal cursor comes back
// however the work ends. Without a GUI application (command-line converter, core tests) it does
// nothing.
class TbusyCursor {
public:
    TbusyCursor();
    ~TbusyCursor();
    TbusyCursor(const TbusyCursor &) = delete;
    TbusyCursor &operator=(const TbusyCursor &) = delete;

private:
    bool m_set = false;
};
