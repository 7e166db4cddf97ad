#include "snow/kalo3.h"

#include "app/app.h"

namespace snow {
Kalo3::Kalo3(app::App& app) : Form(app, platform::FormId::KALO3, ""), timers_(app.os(), {&Timer1}) {}
void Kalo3::Form_Load() {}
void Kalo3::Form_Resize() {}
void Kalo3::Timer1_Timer() {}
void Kalo3::PrepareSnow() {}
void Kalo3::MoveSnow() {}
void Kalo3::DrawSnow() {}
} // namespace snow
