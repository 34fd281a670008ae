#include "app/scheme/bars/tbSchemeToolBars.h"

#include <memory>
#include <span>

#include <wx/tglbtn.h>

#include "app/scheme/bars/CDlgImageProject.h"
#include "app/scheme/bars/CDlgShapeBar.h"
#include "app/scheme/bars/CDlgStoreShape.h"
#include "app/scheme/bars/CDlgTextEditor.h"
#include "app/scheme/bars/CDlgToolbox.h"
#include "app/scheme/bars/DlgTextBar.h"
#include "app/shell/tbBarColours.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryTool_text.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbToolbarHost.h"
#include "engine/core/utilsStrings.h"

namespace {

// Shows a bar when hidden, else hides it.
void toggle(tbToolbarHost& host, tbBar bar) { host.isShown(bar) ? host.hide(bar) : host.show(bar); }

tbGeometryTool_shape::CurveButton curveButtonOf(bars::ShapeBarModel::Curve curve) {
    switch (curve) {
    case bars::ShapeBarModel::Curve::create: return tbGeometryTool_shape::kCreateCurve;
    case bars::ShapeBarModel::Curve::clear: return tbGeometryTool_shape::kClearCurve;
    case bars::ShapeBarModel::Curve::none: break;
    }
    return tbGeometryTool_shape::kNoCurveButton;
}

bars::ShapeBarModel::Operations shapeOperations(tbToolbarHost& host) {
    bars::ShapeBarModel::Operations ops;
    ops.applyShape = [](tbGeometry& model, bool textureView, const simColour& main, const simColour& second,
                        bool gradient, uint32_t axis) {
        textureView ? model.applyShapeTextureView(main, second, gradient, axis)
                    : model.applyShape3D(main, second, gradient, axis);
    };
    ops.clearShape = [](tbGeometry& model) { model.clearShape(); };
    ops.setCurve = [](tbGeometry& model, bars::ShapeBarModel::Curve curve, std::function<void()> used) {
        model.shapeTool().setCurveButton(curveButtonOf(curve));
        model.shapeTool().setCurveButtonListener([used = std::move(used)](tbGeometryTool_shape::CurveButton button) {
            if (button == tbGeometryTool_shape::kNoCurveButton) used();
        });
    };
    ops.toggleShapeManager = [&host] { toggle(host, tbBar::shapeManager); };
    return ops;
}

bars::ShapeManagerModel::Operations shapeManagerOperations() {
    bars::ShapeManagerModel::Operations ops;
    ops.shapes = []() -> tbStoredShapeList* {
        tbProject_model* scheme = tbCurrentScheme();
        return scheme && scheme->getModel() ? &scheme->shapes() : nullptr;
    };
    ops.outline = []() -> const std::vector<tbShapePoint>* {
        tbProject_model* scheme = tbCurrentScheme();
        return scheme && scheme->getModel() ? &scheme->getModel()->shapeTool().points() : nullptr;
    };
    ops.restore = [](const tbStoredShape& shape) {
        tbProject_model* scheme = tbCurrentScheme();
        if (scheme && scheme->getModel()) scheme->getModel()->shapeTool().restore(&shape);
    };
    return ops;
}


bars::TextBarModel::Operations textOperations(tbToolbarHost& host) {
    bars::TextBarModel::Operations ops;
    ops.projectText = [](tbGeometry& model, bool textureView) {
        textureView ? model.applyTextInTextureView() : model.projectText();
    };
    ops.resetTool = [](tbGeometry& model) { model.textTool().reset(); };
    ops.toggleEditor = [&host] { toggle(host, tbBar::textEditor); };
    return ops;
}

// Where the text tool sends the picture of its text (the text bar's button).
using ThumbnailSink = std::function<void(const std::vector<uint32_t>&)>;

// The text tool of the model the editor writes to; each model makes its own,
// so the text bar's thumbnail sink goes to whichever tool is written.
tbGeometryTool_text& textToolOf(tbGeometry& model, const ThumbnailSink& thumbnail) {
    tbGeometryTool_text& tool = model.textTool();
    tool.setThumbnailSink(thumbnail);
    return tool;
}

bars::TextEditorModel::Operations editorOperations(const std::shared_ptr<ThumbnailSink>& thumbnail) {
    bars::TextEditorModel::Operations ops;
    ops.setText = [thumbnail](tbGeometry& model, const std::string& text) {
        textToolOf(model, *thumbnail).setText(text);
    };
    ops.setFont = [thumbnail](tbGeometry& model, const std::string& face, bool bold, bool italic) {
        textToolOf(model, *thumbnail).setFont(face, bold, italic);
    };
    return ops;
}

}  // namespace

bars::ImageProjectModel::Operations tbImageBarOperations(tbCommandWindows* windows) {
    bars::ImageProjectModel::Operations ops;
    ops.loadImage = [](tbGeometry& model, uint32_t slot, const std::string& path) {
        model.loadProjectionImage(static_cast<int32_t>(slot), path);
    };
    ops.projectImages = [](tbGeometry& model) { model.projectImages(); };
    if (windows)
        ops.chooseFile = [windows](const tbFileRequest& request) { return windows->chooseFile(request); };
    return ops;
}

void tbCreateSchemeToolBars(wxWindow* mainWindow, tbToolbarHost& host, CtolvaneBuilderApp& app,
                            tbCommandWindows& windows) {
    tbToolState& tools = app.tools();
    const std::span<simColour, shell::kSwatchCount> swatches = tbBarSwatches(app);
    tbToolSettingsBinding& binding = tbBarSettings();
    const tbBarTarget target = tbCurrentModelTarget();
    auto* toolbox = dynamic_cast<CDlgToolbox*>(host.window(tbBar::toolbox));

    auto* shapeManager = new CDlgStoreShape(mainWindow, tools, binding, shapeManagerOperations());
    host.registerBar(tbBar::shapeManager, shapeManager);
    auto* shapeBar = new CDlgShapeBar(mainWindow, tools, swatches, binding, target, shapeOperations(host));
    host.registerBar(tbBar::shapeBar, shapeBar);

    auto* imageBar = new CDlgImageProject(mainWindow, binding, target, tbImageBarOperations(&windows),
                                          utils::joinPath(app.getProgramFolder(), "resources"));
    host.registerBar(tbBar::projectImageBar, imageBar);

    auto thumbnail = std::make_shared<ThumbnailSink>();
    auto* editor = new CDlgTextEditor(mainWindow, binding, target, editorOperations(thumbnail));
    host.registerBar(tbBar::textEditor, editor);
    auto* textBar = new DlgTextBar(mainWindow, tools, swatches, editor->model(), binding, target, textOperations(host));
    host.registerBar(tbBar::textBar, textBar);
    *thumbnail = [textBar](const std::vector<uint32_t>& argb) {
        textBar->showThumbnail(argb, tbGeometryTool_text::kThumbnailWidth, tbGeometryTool_text::kThumbnailHeight);
    };
    auto* editorButton = textBar->control<wxToggleButton>(DlgTextBar::idEditor);
    host.setPopupOpener(tbBar::textEditor, editorButton, [editorButton] { editorButton->SetValue(false); });

    if (toolbox) {
        toolbox->model().setToolReset(kToolShape, [shapeBar] { shapeBar->model().reset(); });
        toolbox->model().setToolReset(5, [imageBar] { imageBar->model().reset(); });
        toolbox->model().setToolReset(6, [textBar] { textBar->model().reset(); });
        toolbox->addSwatchRepaint([shapeBar] { shapeBar->drawColours(); });
        toolbox->addSwatchRepaint([textBar] { textBar->drawColours(); });
    }
}
