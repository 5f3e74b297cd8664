#pragma once

// The stream library: subjects, operators, dispose bags, drivers.
#include "disposable.h"
#include "disposebag.h"
#include "driver.h"
#include "guithreadqueue.h"
#include "mainscheduler.h"
#include "observable.h"
#include "publishsubject.h"
#include "scheduler.h"
