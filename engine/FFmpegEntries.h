/* The entry points the engine binds, one list per library, one line per entry.
 * Each list is the whole truth for its library: the slots in namespace ff,
 * their binding and their clearing are all generated from it. To call a new
 * entry point, add one X(name) line to the right list.
 * Plain macros so the loader tests can build stub libraries from the same lists (C). */
#ifndef QV_FFMPEG_ENTRIES_H
#define QV_FFMPEG_ENTRIES_H

#define QV_AVCODEC_ENTRIES(X) \
    X(avcodec_version) \
    X(avcodec_get_class) \
    X(avcodec_find_decoder) \
    X(avcodec_find_decoder_by_name) \
    X(avcodec_find_encoder) \
    X(avcodec_find_encoder_by_name) \
    X(av_codec_iterate) \
    X(av_codec_is_encoder) \
    X(av_codec_is_decoder) \
    X(avcodec_get_name) \
    X(avcodec_get_type) \
    X(avcodec_descriptor_get) \
    X(avcodec_descriptor_get_by_name) \
    X(avcodec_alloc_context3) \
    X(avcodec_free_context) \
    X(avcodec_open2) \
    X(avcodec_parameters_alloc) \
    X(avcodec_parameters_free) \
    X(avcodec_parameters_to_context) \
    X(avcodec_parameters_from_context) \
    X(avcodec_parameters_copy) \
    X(avcodec_send_packet) \
    X(avcodec_receive_frame) \
    X(avcodec_send_frame) \
    X(avcodec_receive_packet) \
    X(avcodec_flush_buffers) \
    X(avcodec_decode_subtitle2) \
    X(avcodec_encode_subtitle) \
    X(avsubtitle_free) \
    X(avcodec_string) \
    X(avcodec_align_dimensions2) \
    X(avcodec_default_get_buffer2) \
    X(av_packet_alloc) \
    X(av_packet_free) \
    X(av_packet_unref) \
    X(av_packet_ref) \
    X(av_packet_clone) \
    X(av_packet_move_ref) \
    X(av_packet_rescale_ts) \
    X(av_packet_get_side_data) \
    X(av_packet_new_side_data) \
    X(av_new_packet) \
    X(av_shrink_packet) \
    X(av_grow_packet) \
    X(av_bsf_get_by_name) \
    X(av_bsf_iterate) \
    X(av_bsf_alloc) \
    X(av_bsf_init) \
    X(av_bsf_send_packet) \
    X(av_bsf_receive_packet) \
    X(av_bsf_flush) \
    X(av_bsf_free) \
    X(av_get_bits_per_sample) \
    X(av_get_exact_bits_per_sample) \
    X(av_get_audio_frame_duration2) \
    X(av_parser_init) \
    X(av_parser_parse2) \
    X(av_parser_close) \
    X(av_rdft_init) \
    X(av_rdft_calc) \
    X(av_rdft_end)

#define QV_AVDEVICE_ENTRIES(X) \
    X(avdevice_version) \
    X(avdevice_register_all)

#define QV_AVFILTER_ENTRIES(X) \
    X(avfilter_version) \
    X(avfilter_get_by_name) \
    X(avfilter_graph_alloc) \
    X(avfilter_graph_free) \
    X(avfilter_graph_alloc_filter) \
    X(avfilter_graph_create_filter) \
    X(avfilter_init_str) \
    X(avfilter_init_dict) \
    X(avfilter_graph_parse_ptr) \
    X(avfilter_graph_config) \
    X(avfilter_link) \
    X(avfilter_inout_alloc) \
    X(avfilter_inout_free) \
    X(avfilter_filter_pad_count) \
    X(avfilter_pad_get_name) \
    X(avfilter_pad_get_type) \
    X(av_buffersrc_parameters_alloc) \
    X(av_buffersrc_parameters_set) \
    X(av_buffersrc_add_frame) \
    X(av_buffersrc_add_frame_flags) \
    X(av_buffersink_get_frame) \
    X(av_buffersink_get_frame_flags) \
    X(av_buffersink_get_samples) \
    X(av_buffersink_set_frame_size) \
    X(av_buffersink_get_type) \
    X(av_buffersink_get_time_base) \
    X(av_buffersink_get_format) \
    X(av_buffersink_get_frame_rate) \
    X(av_buffersink_get_w) \
    X(av_buffersink_get_h) \
    X(av_buffersink_get_sample_aspect_ratio) \
    X(av_buffersink_get_sample_rate) \
    X(av_buffersink_get_ch_layout)

#define QV_AVFORMAT_ENTRIES(X) \
    X(avformat_version) \
    X(avformat_get_class) \
    X(avformat_network_init) \
    X(avformat_network_deinit) \
    X(avformat_alloc_context) \
    X(avformat_free_context) \
    X(avformat_open_input) \
    X(avformat_close_input) \
    X(avformat_find_stream_info) \
    X(av_find_best_stream) \
    X(av_find_program_from_stream) \
    X(av_find_input_format) \
    X(av_guess_format) \
    X(av_guess_codec) \
    X(av_guess_frame_rate) \
    X(av_guess_sample_aspect_ratio) \
    X(avformat_alloc_output_context2) \
    X(avformat_new_stream) \
    X(avformat_match_stream_specifier) \
    X(avformat_query_codec) \
    X(avformat_init_output) \
    X(avformat_write_header) \
    X(av_interleaved_write_frame) \
    X(av_write_frame) \
    X(av_write_trailer) \
    X(av_read_frame) \
    X(av_seek_frame) \
    X(avformat_seek_file) \
    X(avformat_flush) \
    X(av_read_pause) \
    X(av_read_play) \
    X(av_dump_format) \
    X(av_pkt_dump_log2) \
    X(av_sdp_create) \
    X(av_stream_get_side_data) \
    X(av_stream_new_side_data) \
    X(av_codec_get_tag) \
    X(av_codec_get_id) \
    X(avformat_get_riff_video_tags) \
    X(avformat_get_riff_audio_tags) \
    X(av_filename_number_test) \
    X(av_demuxer_iterate) \
    X(av_muxer_iterate) \
    X(avio_alloc_context) \
    X(avio_context_free) \
    X(avio_open2) \
    X(avio_close) \
    X(avio_closep) \
    X(avio_seek) \
    X(avio_size) \
    X(avio_feof) \
    X(avio_read) \
    X(avio_write) \
    X(avio_flush)

#define QV_AVUTIL_ENTRIES(X) \
    X(avutil_version) \
    X(av_log) \
    X(av_vlog) \
    X(av_log_set_callback) \
    X(av_log_set_level) \
    X(av_log_get_level) \
    X(av_log_default_callback) \
    X(av_default_item_name) \
    X(av_malloc) \
    X(av_mallocz) \
    X(av_calloc) \
    X(av_realloc) \
    X(av_fast_malloc) \
    X(av_fast_realloc) \
    X(av_free) \
    X(av_freep) \
    X(av_strdup) \
    X(av_strlcpy) \
    X(av_strerror) \
    X(av_dict_get) \
    X(av_dict_set) \
    X(av_dict_set_int) \
    X(av_dict_copy) \
    X(av_dict_count) \
    X(av_dict_free) \
    X(av_opt_next) \
    X(av_opt_find) \
    X(av_opt_find2) \
    X(av_opt_set) \
    X(av_opt_set_int) \
    X(av_opt_set_double) \
    X(av_opt_set_q) \
    X(av_opt_set_bin) \
    X(av_opt_set_dict) \
    X(av_opt_set_dict2) \
    X(av_opt_set_from_string) \
    X(av_opt_get) \
    X(av_opt_get_int) \
    X(av_opt_free) \
    X(av_int_list_length_for_size) \
    X(av_rescale) \
    X(av_rescale_rnd) \
    X(av_rescale_q) \
    X(av_rescale_q_rnd) \
    X(av_compare_ts) \
    X(av_reduce) \
    X(av_d2q) \
    X(av_find_nearest_q_idx) \
    X(av_parse_video_size) \
    X(av_parse_video_rate) \
    X(av_parse_time) \
    X(av_parse_ratio) \
    X(av_get_pix_fmt) \
    X(av_get_pix_fmt_name) \
    X(av_pix_fmt_desc_get) \
    X(av_pix_fmt_desc_next) \
    X(av_pix_fmt_get_chroma_sub_sample) \
    X(av_get_sample_fmt) \
    X(av_get_sample_fmt_name) \
    X(av_get_sample_fmt_string) \
    X(av_get_bytes_per_sample) \
    X(av_sample_fmt_is_planar) \
    X(av_get_packed_sample_fmt) \
    X(av_samples_get_buffer_size) \
    X(av_samples_alloc) \
    X(av_samples_set_silence) \
    X(av_channel_layout_default) \
    X(av_channel_layout_copy) \
    X(av_channel_layout_uninit) \
    X(av_channel_layout_describe) \
    X(av_channel_layout_compare) \
    X(av_frame_alloc) \
    X(av_frame_free) \
    X(av_frame_ref) \
    X(av_frame_unref) \
    X(av_frame_clone) \
    X(av_frame_move_ref) \
    X(av_frame_get_buffer) \
    X(av_frame_make_writable) \
    X(av_frame_copy_props) \
    X(av_image_alloc) \
    X(av_image_fill_arrays) \
    X(av_image_fill_linesizes) \
    X(av_image_get_buffer_size) \
    X(av_image_copy) \
    X(av_audio_fifo_alloc) \
    X(av_audio_fifo_free) \
    X(av_audio_fifo_write) \
    X(av_audio_fifo_read) \
    X(av_audio_fifo_size) \
    X(av_fifo_alloc2) \
    X(av_fifo_freep2) \
    X(av_fifo_write) \
    X(av_fifo_read) \
    X(av_fifo_can_read) \
    X(av_fifo_can_write) \
    X(av_get_picture_type_char) \
    X(av_get_media_type_string) \
    X(av_gettime) \
    X(av_gettime_relative) \
    X(av_usleep)

#define QV_SWSCALE_ENTRIES(X) \
    X(swscale_version) \
    X(sws_get_class) \
    X(sws_alloc_context) \
    X(sws_init_context) \
    X(sws_getContext) \
    X(sws_getCachedContext) \
    X(sws_isSupportedInput) \
    X(sws_isSupportedOutput) \
    X(sws_scale) \
    X(sws_scale_frame) \
    X(sws_freeContext)

#define QV_SWRESAMPLE_ENTRIES(X) \
    X(swresample_version) \
    X(swr_get_class) \
    X(swr_alloc) \
    X(swr_alloc_set_opts2) \
    X(swr_init) \
    X(swr_is_initialized) \
    X(swr_convert) \
    X(swr_get_delay) \
    X(swr_get_out_samples) \
    X(swr_set_compensation) \
    X(swr_close) \
    X(swr_free)

/* The engine calls the C library directly; the row stays so the library sets
 * keep their members and texts. */
#define QV_LIBC_ENTRIES(X)

/* Sound output only: pictures are drawn by Qt. */
#define QV_SDL_ENTRIES(X) \
    X(SDL_GetVersion) \
    X(SDL_Init) \
    X(SDL_InitSubSystem) \
    X(SDL_QuitSubSystem) \
    X(SDL_WasInit) \
    X(SDL_Quit) \
    X(SDL_GetError) \
    X(SDL_ClearError) \
    X(SDL_SetHint) \
    X(SDL_setenv) \
    X(SDL_GetCurrentAudioDriver) \
    X(SDL_OpenAudioDevice) \
    X(SDL_CloseAudioDevice) \
    X(SDL_PauseAudioDevice) \
    X(SDL_GetAudioDeviceStatus) \
    X(SDL_LockAudioDevice) \
    X(SDL_UnlockAudioDevice) \
    X(SDL_QueueAudio) \
    X(SDL_GetQueuedAudioSize) \
    X(SDL_ClearQueuedAudio) \
    X(SDL_MixAudioFormat) \
    X(SDL_RWFromFile) \
    X(SDL_LoadWAV_RW) \
    X(SDL_FreeWAV) \
    X(SDL_GetTicks) \
    X(SDL_Delay)

#endif
