// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter tuning dialog (编辑 -> 参数调节, factory only): the radio's
// calibration block (core/image/calibration_layout.h) as three grids, 24
// number fields and 10 check boxes.
//
// Grids, each with a fixed label column and one row per calibration row:
//
//   squelch            低端 中端 高端               rows "<range> sql 1", "<range> sql 9"   0-127
//   transmit power     低端 中端 高端               rows "<range> 低功率", "<range> 高功率" 1-255
//   squelch detection  宽带 高 宽带 低 窄带 高 窄带 低  rows "<range> 静噪检测1".."3"        0-137
//
// Layout, at every load, from the calibration bands (0 136-174, 1 200-260,
// 2 400-520 MHz) of band A's and band B's lower limits:
//
//   different bands, both known   band A's rows ("<A low>-<A high>") on A's
//                                 calibration band, then band B's rows
//   the same band, or one of them one set of rows, range "<lowest low>-<highest
//   in no calibration band        high>", on A's calibration band; when A's
//                                 lower limit is in none, on B's, and when
//                                 neither is in one, on calibration band 0
//
// Cells and fields follow the number-edit rule (number_edit.h): committed
// (focus lost) they are clamped to their range, a spin step wraps. A loaded
// cell outside its range shows the range's minimum.
//
// Load: layout, grids, fields and boxes (table-driven: FieldSpec::location,
// deviation words >> 6), NormaliseFields. Store: NormaliseFields,
// WriteFixedTable, squelch and power grids, RecomputeBandPointsAndSlopes with
// the band limits as they stand, detection grid, fields and boxes (0x3F13 gets
// back what was loaded). Bytes of the block without a field are left as they are.
//
// "读数据" reloads the band limits from the image's band-limit fields (a band
// whose field is blank keeps its limits) before the fields; "写数据" writes the
// band limits into the image before storing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/forms/factory_form.h"

namespace kestra::forms {

class ParamTuningForm : public FactoryForm {
public:
    // Field ids: the three grids, the 24 number fields, the 10 check boxes.
    enum Field {
        kSquelchGrid,
        kPowerGrid,
        kDetectionGrid,
        kFirstNumber,
        kNumberCount = 24,
        kFirstBox = kFirstNumber + kNumberCount,
        kBoxCount = 10,
        kFieldCount = kFirstBox + kBoxCount,
    };

    // One data row of a grid.
    struct GridRow {
        int offset = 0;          // image offset of the row's first cell
        std::string range;       // "136-174"
        const char* suffix = ""; // " sql 1", " 低功率", ... (the row label is range + suffix)
    };

    explicit ParamTuningForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void NormaliseFields() override;
    void StoreToImage() override;
    void GridCellCommitted(int id, int row, int col) override;
    void PrepareWrite() override;
    void ReloadAfterRead() override;

    // The rows of a grid as laid out at the last load.
    const std::vector<GridRow>& Rows(int grid) const;
    // The number rule of a grid's cells.
    static const NumberEdit& CellRule(int grid);
    // What the in-place editor's spin makes of its text.
    std::string StepCell(int grid, const std::string& text, int delta) const {
        return CellRule(grid).Stepped(text, delta);
    }
    std::optional<std::string> StepGridCell(int id, const std::string& text,
                                            int delta) const override {
        return StepCell(id, text, delta);
    }

private:
    void LayOut();

    std::vector<GridRow> rows_[3];
    std::uint8_t vSquelchLow2_ = 0;
};

} // namespace kestra::forms
