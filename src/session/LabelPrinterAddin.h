// The label printer as the add-in framework's "VantPrint": the framework's events go to it,
// and its panel and size list are the device slot's.
#pragma once

#include "addins/Addin.h"
#include "printing/LabelPrinter.h"

namespace talvex {

class AddinFramework;

class LabelPrinterAddin : public Addin, public LabelPrinterPanel {
  public:
    LabelPrinterAddin(AddinFramework& framework, LabelPrinter& printer);
    void entry(int code) override { printer_.entry(code); }

    void setDeviceKind(int kind) override;
    void showPanel(const std::string& menu) override;
    void fillSizes(const std::vector<std::string>& sizes, const std::string& selected) override;
    void dropDownSizes() override;
    std::string chosenSize() const override;

  private:
    AddinFramework& framework_;
    LabelPrinter& printer_;
};

}  // namespace talvex
