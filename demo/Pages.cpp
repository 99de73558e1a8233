#include "Pages.h"

#include "GraphPage.h"
#include "GroupButtonsPage.h"
#include "ImageBrowserPage.h"
#include "InputsPage.h"
#include "ScenePage.h"
#include "StaticProgressPage.h"
#include "TablePage.h"

namespace demo {

std::vector<std::unique_ptr<Page>> createPages()
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<ScenePage>());
    pages.push_back(std::make_unique<GraphPage>());
    pages.push_back(std::make_unique<StaticProgressPage>());
    pages.push_back(std::make_unique<InputsPage>());
    pages.push_back(std::make_unique<GroupButtonsPage>());
    pages.push_back(std::make_unique<ImageBrowserPage>());
    pages.push_back(std::make_unique<TablePage>());
    return pages;
}

} // namespace demo
