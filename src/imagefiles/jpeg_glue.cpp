#include "imagefiles/jpeg_glue.h"

#include <jerror.h>

namespace quillstone {

namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

constexpr std::size_t kBlock = 1 << 16;

}  // namespace

jpeg_error_mgr* UseJpegErrors(JpegErrors& errors) {
  jpeg_error_mgr* manager = jpeg_std_error(&errors.base);
  manager->error_exit = ErrorExit;
  manager->output_message = IgnoreMessage;
  return manager;
}

JpegSinkDestination::JpegSinkDestination(ByteSink& sink) : sink_(&sink), buffer_(kBlock) {
  base_.init_destination = Init;
  base_.empty_output_buffer = Empty;
  base_.term_destination = Term;
}

void JpegSinkDestination::Init(j_compress_ptr cinfo) {
  auto* self = reinterpret_cast<JpegSinkDestination*>(cinfo->dest);
  self->base_.next_output_byte = self->buffer_.data();
  self->base_.free_in_buffer = self->buffer_.size();
}

boolean JpegSinkDestination::Empty(j_compress_ptr cinfo) {
  auto* self = reinterpret_cast<JpegSinkDestination*>(cinfo->dest);
  self->sink_->Write(self->buffer_.data(), self->buffer_.size());
  if (self->sink_->Failed()) ERREXIT(cinfo, JERR_FILE_WRITE);
  Init(cinfo);
  return TRUE;
}

void JpegSinkDestination::Term(j_compress_ptr cinfo) {
  auto* self = reinterpret_cast<JpegSinkDestination*>(cinfo->dest);
  self->sink_->Write(self->buffer_.data(), self->buffer_.size() - self->base_.free_in_buffer);
  if (self->sink_->Failed()) ERREXIT(cinfo, JERR_FILE_WRITE);
}

}  // namespace quillstone
