#include "linux/wayland/layer_snow.h"

#include "linux/wayland/connection.h"
#include "linux/wayland/globals.h"
#include "linux/wayland/output.h"
#include "linux/wayland/output_layer.h"

#include <algorithm>

namespace linux::wayland {

std::unique_ptr<LayerSnow> LayerSnow::open() {
    auto connection = Connection::open();
    if (!connection) return nullptr;
    std::unique_ptr<LayerSnow> snow(new LayerSnow(std::move(connection)));
    snow->connection_->roundtrip(); // the globals
    snow->connection_->roundtrip(); // the outputs' descriptions
    return snow->connection_->failure().empty() ? std::move(snow) : nullptr;
}

LayerSnow::LayerSnow(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)),
      globals_(std::make_unique<Globals>(connection_->display())) {
    globals_->outputAdded = [this](std::uint32_t name, wl_output* output) {
        addOutput(name, output);
    };
    globals_->outputRemoved = [this](std::uint32_t name) { removeOutput(name); };
}

// Surfaces before the outputs they lie on, the globals before the connection.
LayerSnow::~LayerSnow() {
    layers_.clear();
    outputs_.clear();
    globals_.reset();
}

const std::vector<std::string>& LayerSnow::offered() const {
    return globals_->offered;
}

int LayerSnow::fd() const {
    return connection_->fd();
}

void LayerSnow::readEvents() {
    connection_->readEvents();
    dropClosedLayers();
    checkConnection();
}

void LayerSnow::flush() {
    connection_->flush();
    checkConnection();
}

void LayerSnow::checkConnection() {
    std::string why = connection_->failure();
    if (why.empty() || failureReported_) return;
    failureReported_ = true;
    if (failed) failed(why);
}

// An output's new scale changes its surface's buffer size, as a configure does.
void LayerSnow::addOutput(std::uint32_t name, wl_output* output) {
    outputs_[name] = std::make_unique<Output>(output);
    outputs_[name]->changed = [this] {
        if (configured) configured();
    };
    if (shown_) cover(name);
}

void LayerSnow::removeOutput(std::uint32_t name) {
    layers_.erase(name);
    outputs_.erase(name);
}

void LayerSnow::cover(std::uint32_t name) {
    if (!globals_->compositor || !globals_->shm || !globals_->layerShell) return;
    auto layer = std::make_unique<OutputLayer>(*globals_, *outputs_.at(name), onTop_);
    layer->configured = [this] {
        if (configured) configured();
    };
    layers_[name] = std::move(layer);
}

// A surface the compositor closed stays closed; a new one comes with the next showing.
void LayerSnow::dropClosedLayers() {
    std::erase_if(layers_, [](const auto& entry) { return entry.second->closed(); });
}

void LayerSnow::show(bool onTop) {
    if (shown_) return setOnTop(onTop);
    shown_ = true;
    onTop_ = onTop;
    for (const auto& output : outputs_)
        cover(output.first);
    flush();
}

void LayerSnow::hide() {
    shown_ = false;
    layers_.clear();
    flush();
}

// Before version 2 a surface cannot change layer: it is made anew in the other one.
void LayerSnow::setOnTop(bool onTop) {
    if (onTop == onTop_) return;
    onTop_ = onTop;
    if (globals_->layerShellVersion < 2 && shown_) {
        hide();
        return show(onTop);
    }
    for (const auto& layer : layers_)
        layer.second->setOnTop(onTop);
}

LayerSnow::Size LayerSnow::size() const {
    Size largest;
    for (const auto& layer : layers_) {
        largest.width = std::max(largest.width, layer.second->bufferWidth());
        largest.height = std::max(largest.height, layer.second->bufferHeight());
    }
    return largest;
}

// Each surface's requests are sent before the next surface's: a bounded batch at a time.
void LayerSnow::present(const std::function<void(snow::PixelGrid)>& paint) {
    for (const auto& layer : layers_) {
        layer.second->showFrame(paint);
        flush();
    }
}

} // namespace linux::wayland
