#pragma once
// The notice shown when another instance already runs; it ends the process after 5 s.
#include "app/form.h"
#include "app/version.h"

namespace app {

class KaloLoad : public Form {
  public:
    explicit KaloLoad(App& app);

    ui::Label Label1{"KALO DC  Version " KALO_VERSION_TEXT};
    ui::Label Label2{"Is Already Running !"};
    ui::Timer Timer1{5000, false};

    void Form_Load();
    void Timer1_Timer();

  private:
    TimerWatch timers_;
};

} // namespace app
