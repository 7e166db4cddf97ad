#pragma once
// The about box.
#include "app/form.h"
#include "app/version.h"

namespace app {

inline const std::string WEB_SITE = "https://kalo-dc.example/";
inline const std::string LINK_TIP = "Click hear to go KALO DC Web Site.";

class Kalo4 : public Form {
  public:
    explicit Kalo4(App& app);

    ui::Frame Frame1{""};
    ui::Label Label786{WEB_SITE}; // the link
    ui::Button ok{"OK"};
    ui::Label Label3{"Website :"};
    ui::Label Label2{"Made by the KALO DC team."};
    ui::Label Label1{"KALO DC  Version " KALO_VERSION_TEXT};

    std::intptr_t Link(const std::string& address);
    void Frame1_Click();
    void Label786_Click();
    void ok_Click();
};

} // namespace app
