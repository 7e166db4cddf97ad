#pragma once
// The main window: image list, interval, Run and Stop, status, preview, snow controls
// and the menu bar. Its procedures live in app/kalo2_<concern>.cpp, one file for each
// part of the window; the engines they call live in rotation/, wallpaper/ and snow/.
#include "app/form.h"
#include "rotation/list_file.h"

#include <optional>

namespace app {

class Kalo2 : public Form {
  public:
    explicit Kalo2(App& app);

    // Controls, with the names the procedures use.
    ui::Button run{"Run"};
    ui::Button stope{"Stop"}; // the Stop button; hidden until a run shows it
    ui::Frame f5{"Snow Fall"};
    ui::CheckBox Check1{"Snow on top"};
    ui::Label Label3{"Layers"};
    ui::Label Label4{"Density"};
    ui::Label Label5{"Speed"};
    ui::Label Label6{"Size"};
    ui::Frame F2{"Wallpaper"};
    ui::ComboBox c2{"Interval"}; // interval unit
    ui::ComboBox c1{"Select"};   // interval number
    ui::Frame f1{"Image"};
    ui::Button del{"Delete "};
    ui::Button add{"Add"};
    ui::ListBox Wallpaper; // the image list
    ui::Frame f4{""};
    ui::Label Label2{""}; // status text
    ui::Frame f3{""};
    ui::Label Label1{"Status :"};
    ui::ImageBox im; // preview
    ui::Slider Slider1_Layers{1, 50, 1, 5, 1};
    ui::Slider Slider2_Density{1, 100, 1, 5, 1};
    ui::Slider Slider3_Speed{1, 50, 1, 5, 1};
    ui::Slider Slider4_Size{1, 10, 1, 5, 1};
    ui::Timer Timer1{0, false};    // seconds ticker
    ui::Timer Timer2{1, false};    // start tick
    ui::Timer Timer3{60000, true}; // minute ticker

    // Menu bar.
    ui::MenuItem KALO{"KALO"};
    ui::MenuItem snow1{"Snow Fall on"};
    ui::MenuItem snow2{"Snow fall off"};
    ui::MenuItem reset{"Reset Wallpaper"};
    ui::MenuItem resetsnow{"Reset Snow"};
    ui::MenuItem exit{"Exit"};
    ui::MenuItem Help{"Help"};
    ui::MenuItem about{"About KALO DC"};

    // Window state used by the rotation.
    float minuteCount = 0;
    std::optional<double> minuteTarget; // empty until a minutes or hours interval is set
    std::optional<long> rotationIndex;  // empty until the first start tick
    long entryCount = 0;

    // app/kalo2.cpp
    void Form_Load();
    bool Form_QueryUnload(bool byUser); // true = cancel the close
    void exit_Click();
    void about_Click();
    void Label3_Click();

    // app/kalo2_list.cpp
    void add_Click();
    void del_Click();
    bool SaveImageList();
    void LoadImageList();  // throws when the list file cannot be read
    bool ReadUnreadList(); // true once the list file has been read
    void CheckEmptyListMarker();
    std::string listFilePath() const;

    // app/kalo2_interval.cpp
    void c2_Click();
    void c1_Click();
    void FillNumbers();
    void SetInterval();
    bool IntervalCanRun() const;
    void SaveInterval();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Advance();

    // app/kalo2_run.cpp
    void run_Click();
    void StartSecondRotation();
    void StartMinuteRotation();
    void stope_Click();
    void RestoreRunState();

    // app/kalo2_reset.cpp
    void reset_Click();

    // app/kalo2_wallpaper.cpp and app/kalo2_preview.cpp
    void ApplyWallpaper();
    void Wallpaper_Click();
    std::string bitmapPath() const;

    // app/kalo2_snow.cpp, kalo2_snow_reset.cpp and kalo2_snow_restore.cpp
    void snow1_Click();
    void snow2_Click();
    void Check1_Click();
    void Slider1_Layers_Change();
    void Slider2_Density_Change();
    void Slider3_Speed_Change();
    void Slider4_Size_Change();
    void resetsnow_Click();
    void RestoreSnowSwitch();
    void RestoreSnowOnTop();
    void RestoreSliders();

  private:
    void wireEvents();
    // The entry's decoded picture, its rows where `place` put them; null when it did not load.
    ui::PicturePtr selectForApply(long index, const ui::PixelPlace& place);
    // The rows of a new KALO.bmp made in place for a picture of that size, behind its
    // headers; null (and no file) when it cannot be made.
    std::uint8_t* bitmapRows(std::unique_ptr<platform::FileInPlace>& bitmap, int width, int height);
    TimerWatch timers_;
    bool missingFileBoxOpen_ = false;  // a "Missing File" box is on screen
    bool listUnread_ = false;          // the list file is there but could not be read yet
    bool desktopPathReported_ = false; // told once that the desktop cannot take KALO.bmp
    rotation::RawRecords rawRecords_;  // list records kept as read, see list_file.h
    std::string previewPath_;          // the entry whose picture `im` holds, if loaded
    bool handOverDecoded_ = false;     // an apply waits for the preview's decoded picture
    ui::PixelPlace applyPlace_;        // where that apply wants the rows
    ui::PicturePtr decoded_;           // that picture, held only until the apply takes it
};

} // namespace app
