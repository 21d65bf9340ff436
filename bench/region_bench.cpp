// Time of one outline scan of the largest skin (the options dialog's,
// 371 x 386 pixels), and of the clock's wide face for comparison.
#include "clock/skin.h"
#include "hosts/headless/headless_host.h"
#include "runtime/forms/forms.h"
#include "runtime/system/regions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct BenchForm : rt::Form {
    BenchForm() : Form("BenchForm") {}
    rt::PictureBox main{*this, "main"};
    rt::PictureBox source{*this, "source"};
};
rt::FormRef<BenchForm> benchForm;

void measure(const char* picture, int rounds) {
    BenchForm& f = *benchForm;
    f.source.Picture(rt::Picture::load(picture));
    tavrin::SetUpSkinnedWindow(f, f.main, f.source);
    std::vector<double> us;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const rt::HRGN r = tavrin::RegionFromSkin(f.main);
        const auto t1 = std::chrono::steady_clock::now();
        rt::DeleteObject(r);
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("RegionFromSkin %-8s %3dx%-3d  median %8.1f us  min %8.1f us  (%d scans)\n", picture,
                f.main.Picture().widthPixels(), f.main.Picture().heightPixels(), us[us.size() / 2], us.front(),
                rounds);
}

} // namespace

int main() {
    headless::HeadlessHost host;
    measure("optskin", 200);
    measure("padskin", 200);
    measure("skin1B", 1000);
    return 0;
}
