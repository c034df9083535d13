#include "sample_catalogue.h"

#include <algorithm>

#include "text.h"

namespace Bench {

MyApp::Catalogue SampleCatalogue(int entries, int perCategory) {
    MyApp::Catalogue catalogue;
    for (int entry = 0; entry < entries; ++entry) {
        if (entry % perCategory == 0) {
            catalogue.AddCategory("Categoria " + Common::FormatInt64(entry / perCategory + 1));
        }
        std::string number = Common::FormatInt64(entry + 1);
        std::string pathname;
        if (entry % 5 == 4) {
            pathname = "http://www.sito" + number + ".it/";
        } else if (entry % 10 == 3) {
            pathname = "C:\\windows\\notepad.exe";
        } else {
            pathname = "C:\\Programmi\\Applicazione " + number + "\\app" + number + ".exe";
        }
        catalogue.AddApp(catalogue.categories.back().id, "Applicazione " + number, pathname,
                         entry % 3 == 0 ? "/avvio" : "");
    }
    return catalogue;
}

std::vector<int> SampleColumns(int entries, int perCategory) {
    std::vector<int> columns;
    for (int left = entries; left > 0; left -= perCategory) {
        columns.push_back(std::min(left, perCategory));
    }
    return columns;
}

}  // namespace Bench
