// Declarations of the dispatch calls the macOS backend makes, written for the compile check off a Mac
// from the documented signatures. On a Mac the main queue is reached through a macro; here it is a
// function of the same name and use.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
// As on a Mac in C++, a global queue is a kind of queue and converts to one.
struct dispatch_queue_s {};
struct dispatch_queue_global_s : dispatch_queue_s {};
#else
struct dispatch_queue_s;
typedef struct dispatch_queue_s dispatch_queue_global_s;
#endif
typedef struct dispatch_queue_s* dispatch_queue_t;
typedef struct dispatch_queue_global_s* dispatch_queue_global_t;
typedef uint64_t dispatch_time_t;
typedef long dispatch_queue_priority_t;
typedef void (*dispatch_function_t)(void* context);

#define DISPATCH_TIME_NOW (0ull)
#define DISPATCH_QUEUE_PRIORITY_DEFAULT 0
#define NSEC_PER_SEC 1000000000ull

dispatch_queue_t dispatch_get_main_queue(void);
dispatch_queue_global_t dispatch_get_global_queue(intptr_t identifier, uintptr_t flags);
dispatch_time_t dispatch_time(dispatch_time_t when, int64_t delta);
void dispatch_async_f(dispatch_queue_t queue, void* context, dispatch_function_t work);
void dispatch_after_f(dispatch_time_t when, dispatch_queue_t queue, void* context, dispatch_function_t work);

#ifdef __cplusplus
}
#endif
