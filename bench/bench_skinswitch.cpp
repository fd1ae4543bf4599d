// What the user waits for after choosing a skin: the program started for
// real (main window shown, the about box and the options dialog created
// hidden, as at every start), then its skin index set to each of the eleven
// stored skins in turn until the window has repainted. Median over all
// switches (Qt offscreen unless QT_QPA_PLATFORM says otherwise).
//
//   bench_skinswitch [rounds]      (rounds of eleven switches; 5 when not given)
#include "bench/BenchSupport.h"
#include "bench/FreshProgram.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "skin/model/SkinData.h"
#include "skin/model/StoredSkin.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using bench::Median;
using bench::Ms;

int main(int argc, char** argv) {
    bench::OffscreenUnlessSet();
    QApplication qapp(argc, argv);
    const int rounds = bench::CountArgument(argc, argv, 5);
    const auto benchStart = std::chrono::steady_clock::now();

    const bench::TFreshProgram fresh;
    TForm1* window = app::StartApplication();
    window->Show();
    QApplication::setActiveWindow(window);
    QCoreApplication::processEvents();

    TqvSkinData* model = window->qvSkinData1;
    const int skins = window->qvCompressedSkinList1->Skins().Count();
    std::printf("skin switch of the shown main window: index set, then every pending paint done; %d rounds\n",
                rounds);
    std::printf("%-4s %9s %9s %9s  %s\n", "skin", "median", "least", "most", "name");
    std::vector<std::vector<double>> perSkin(static_cast<std::size_t>(skins));
    std::vector<double> all;
    for (int r = 0; r < rounds; ++r)
        for (int k = 1; k <= skins; ++k) {
            // Every switch changes the index: the start skin's successor first.
            const int target = (model->SkinIndex() + 1) % skins;
            const auto t0 = std::chrono::steady_clock::now();
            model->SetSkinIndex(target);
            window->repaint();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            const double ms = Ms(std::chrono::steady_clock::now() - t0);
            perSkin[static_cast<std::size_t>(target)].push_back(ms);
            all.push_back(ms);
        }
    for (int i = 0; i < skins; ++i) {
        const std::vector<double>& v = perSkin[static_cast<std::size_t>(i)];
        std::printf("%-4d %9.2f %9.2f %9.2f  %s\n", i, Median(v), *std::min_element(v.begin(), v.end()),
                    *std::max_element(v.begin(), v.end()),
                    qPrintable(window->qvCompressedSkinList1->Skins().GetItem(i)->Name()));
    }
    std::printf("goal: median under 100 ms\n");
    std::printf("bench time: %.1f s\n", Ms(std::chrono::steady_clock::now() - benchStart) / 1000);
    std::printf("skin switch median: %.1f ms\n", Median(all));
    DestroyApplication();
    return 0;
}
