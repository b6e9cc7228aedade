    function call(name, args) {
        try {
            const action = calls[name];
            if (!action)
                throw new Error('unknown call ' + name);
            flushRecords();
            const value = action.apply(null, args || []);
            const answer = { ok: true, value: value === undefined ? null : value };
            const state = stateForAnswer();
            if (state)
                answer.state = state;
            answer.stateId = stateId;
            return answer;
        } catch (error) {
            return { ok: false, error: String(error && error.message ? error.message : error) };
        }
    }

    window.quorixEditor = { call: call };

    if (typeof QWebChannel !== 'undefined' && typeof qt !== 'undefined' && qt.webChannelTransport) {
        new QWebChannel(qt.webChannelTransport, function (webChannel) {
            channel = webChannel.objects.control;
        });
    }
})();
