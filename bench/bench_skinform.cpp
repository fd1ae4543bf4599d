// What a skin switch costs the main window's frame: the skin loaded from the
// embedded list and applied to a form (objects, limits, region, client size),
// then the first paint of the frame and the client background, at the main
// window's client size of 800 x 541. Each of the eleven stored skins, median
// of 20 runs (Qt offscreen unless QT_QPA_PLATFORM says otherwise).
//
//   bench_skinform [runs]
#include "bench/BenchSupport.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using bench::Median;
using bench::Ms;

int main(int argc, char** argv) {
    bench::OffscreenUnlessSet();
    QApplication app(argc, argv);
    const int runs = bench::CountArgument(argc, argv, 20);
    TqvCompressedSkinList list;
    LoadStoredSkins(list);

    auto* form = new TForm;
    auto* comp = new TqvVelmora(form);
    // Room for the whole window whatever the offscreen screen's size.
    comp->SetScreenAreasForTests(QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1050), QRect(0, 0, 1920, 1080));
    comp->ClientWidth = 800;
    comp->ClientHeight = 541;
    comp->PreviewMode = true;  // paint the active frame
    form->SetBounds(0, 0, 900, 650);
    auto* model = new TqvSkinData(form);
    model->SetSkinIndex(-1);
    model->SetSkinList(&list);
    comp->SetSkinData(model);

    std::printf("skin application + first frame paint at an 800 x 541 client, median of %d runs (ms)\n", runs);
    std::printf("%-4s %9s %9s %9s %9s  %s\n", "skin", "window", "apply", "paint", "total", "name");
    std::vector<double> totals;
    for (int i = 0; i < list.Skins().Count(); ++i) {
        std::vector<double> apply, paint, total;
        QSize window;
        for (int r = 0; r < runs; ++r) {
            // From the previous skin, as a switch in the program is.
            model->SetSkinIndex(i == 0 ? 1 : 0);
            const auto t0 = std::chrono::steady_clock::now();
            model->SetSkinIndex(i);
            const auto t1 = std::chrono::steady_clock::now();
            QImage img(form->size(), QImage::Format_RGB32);
            form->render(&img);
            const auto t2 = std::chrono::steady_clock::now();
            apply.push_back(Ms(t1 - t0));
            paint.push_back(Ms(t2 - t1));
            total.push_back(Ms(t2 - t0));
            window = form->size();
        }
        totals.push_back(Median(total));
        std::printf("%-4d %4dx%-4d %9.2f %9.2f %9.2f  %s\n", i, window.width(), window.height(), Median(apply),
                    Median(paint), Median(total), qPrintable(list.Skins().GetItem(i)->Name()));
    }
    std::printf("slowest skin: %.2f ms (goal: under 30 ms)\n", *std::max_element(totals.begin(), totals.end()));
    delete form;
    DestroyApplication();
    return 0;
}
